#include <util/xml/Element.h>

namespace util::xml {

std::optional<std::string_view> Element::attribute(std::string_view name) const
{
    for (const Attribute* a = _attributes; a != _attributes + _attributeCount; ++a) {
        if (a->name == name)
            return a->value;
    }
    return std::nullopt;
}

std::string Element::attributeValue(std::string_view name) const
{
    return std::string(attribute(name).value_or(std::string_view()));
}

std::vector<const Element*> Element::children(std::string_view name) const
{
    std::vector<const Element*> found;
    for (const Element* child = _firstChild; child; child = child->_nextSibling) {
        if (name.empty() || child->_name == name)
            found.push_back(child);
    }
    return found;
}

} // namespace util::xml
