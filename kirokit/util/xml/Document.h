#pragma once

#include <memory>
#include <memory_resource>
#include <string>

namespace util::xml {

class Element;

// A parsed XML document. Its elements and texts live in one arena that goes with the
// document, so a large project costs a few big allocations instead of one per node.
class Document
{
public:
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const Element* root() const { return _root; }
    // The file the document was read from, as the caller named it.
    const std::string& path() const { return _path; }

private:
    friend class TreeBuilder;

    Document(std::string path, std::size_t sizeHint);

    std::pmr::monotonic_buffer_resource _arena;
    std::string _path;
    const Element* _root = nullptr;
};

using DocumentPtr = std::unique_ptr<const Document>;

} // namespace util::xml
