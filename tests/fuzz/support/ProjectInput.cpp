#include <ProjectInput.h>

#include <kirogen/model/Project.h>
#include <kirolab/interpreter/ProjectDocument.h>
#include <util/XmlSerializer.h>
#include <FuzzCheck.h>
#include <FuzzEnvironment.h>

#include <fstream>
#include <stdexcept>

namespace fuzz {

std::string writeScratchFile(const std::string& name, const void* data, std::size_t size)
{
    const std::string path = scratchDir() + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(file.good(), "cannot write " + path);
    return path;
}

void openProjectFile(const std::string& path)
{
    static util::XmlSerializer* const serializer = new util::XmlSerializer;
    try {
        kirolab::interpreter::ProjectDocument read =
            kirolab::interpreter::ProjectDocument::read(path, *serializer);
        if (!read.document()) {
            FUZZ_CHECK(read.uncompressError() && !read.uncompressError()->empty(),
                       "a project that was not read has no reason");
            return;
        }
        FUZZ_CHECK(read.createProject(), "a read project built into nothing");
    } catch (const std::runtime_error&) {
        // Refused with a message, which the interpreter prints.
    }
}

} // namespace fuzz
