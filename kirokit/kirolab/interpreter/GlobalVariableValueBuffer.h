#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <lum/core/Map.h>
#include <lum/core/Variant.h>

#include <memory>
#include <ostream>
#include <string>

namespace kirogen::model {
class Project;
}

namespace kirolab::interpreter {

// The newest value of each global variable that has not been printed yet, by name; an empty
// value means nothing new. Fed by role-51 notifications on the thread that polls the
// execution's history, and printed by that same thread.
class GlobalVariableValueBuffer : public lum::core::Map<std::string, lum::core::variant::Variant>,
                                  public kirogen::observer::Observer
{
public:
    explicit GlobalVariableValueBuffer(const std::shared_ptr<kirogen::model::Project>& project);
    ~GlobalVariableValueBuffer() override = default;

    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

    // Writes one "## name;;value ##" line per entry in name order. With clear, entries
    // without a new value are skipped and the written ones are emptied.
    void output(std::ostream& stream, bool clear);

    // Every entry, printed or not, without clearing.
    std::string toString();
};

std::ostream& operator<<(std::ostream& stream, GlobalVariableValueBuffer& buffer);

} // namespace kirolab::interpreter
