#include <kirogen/gen/session/SerializationIdSession.h>

namespace kirogen::gen::session {

std::shared_ptr<SerializationIdSession> SerializationIdSession::create()
{
    return std::shared_ptr<SerializationIdSession>(new SerializationIdSession());
}

bool SerializationIdSession::claim(const std::string& scope, const std::string& id)
{
    std::lock_guard<std::mutex> lock(_mutex);
    return _claimed[scope].insert(id).second;
}

void SerializationIdSession::release(const std::string& scope, const std::string& id)
{
    std::lock_guard<std::mutex> lock(_mutex);
    const auto it = _claimed.find(scope);
    if (it != _claimed.end())
        it->second.erase(id);
}

std::string SerializationIdSession::newId(const std::string& scope, const std::string& prefix)
{
    std::lock_guard<std::mutex> lock(_mutex);
    std::set<std::string>& ids = _claimed[scope];
    for (std::size_t n = ids.size() + 1;; ++n) {
        std::string candidate = prefix + std::to_string(n);
        if (ids.insert(candidate).second)
            return candidate;
    }
}

} // namespace kirogen::gen::session
