// A plain project file (".tkp2"), read through the interpreter's project reader and built
// into a project on the shipped registries.
#include <FuzzEnvironment.h>
#include <ProjectInput.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::application();
    fuzz::loadShippedSystem();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::openProjectFile(fuzz::writeScratchFile("input.tkp2", data, size));
    return 0;
}
