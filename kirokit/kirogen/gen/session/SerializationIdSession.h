#pragma once

#include <util/UniqueId.h>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace kirogen::gen::session {

// Keeps the ids of the objects read or created within one project session unique per scope
// (a diagram's block ids, for instance), and hands out fresh ones.
class SerializationIdSession
{
public:
    static std::shared_ptr<SerializationIdSession> create();

    util::UniqueId id() const { return _id; }

    // Takes the id within the scope; false when the scope already holds it.
    bool claim(const std::string& scope, const std::string& id);
    // Gives the id back, as when its object is deleted.
    void release(const std::string& scope, const std::string& id);
    // A new id of the form prefix + number that the scope does not hold yet, already claimed.
    std::string newId(const std::string& scope, const std::string& prefix);

private:
    SerializationIdSession() = default;

    const util::UniqueId _id = util::UniqueId::create();
    std::mutex _mutex;
    std::map<std::string, std::set<std::string>> _claimed;
};

} // namespace kirogen::gen::session
