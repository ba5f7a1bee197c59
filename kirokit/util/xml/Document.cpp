#include <util/xml/Document.h>

#include <algorithm>

namespace util::xml {

// The tree of a typical document takes a few times its text; starting the arena at the
// text's size keeps the number of blocks small.
Document::Document(std::string path, std::size_t sizeHint)
    : _arena(std::max<std::size_t>(sizeHint, 4096)), _path(std::move(path))
{
}

} // namespace util::xml
