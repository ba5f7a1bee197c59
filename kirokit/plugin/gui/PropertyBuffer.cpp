#include <plugin/gui/PropertyBuffer.h>

namespace plugin::gui {

PropertyBuffer::PropertyBuffer(std::string name, std::string typeName)
    : _name(std::move(name)), _typeName(std::move(typeName))
{
}

} // namespace plugin::gui
