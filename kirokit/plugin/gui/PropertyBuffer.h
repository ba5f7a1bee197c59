#pragma once

#include <string>

namespace plugin::gui {

// What a display shows about a variable besides its values.
class PropertyBuffer
{
public:
    PropertyBuffer(std::string name, std::string typeName);

    const std::string& name() const { return _name; }
    const std::string& typeName() const { return _typeName; }

private:
    const std::string _name;
    const std::string _typeName;
};

} // namespace plugin::gui
