#include <FuzzCheck.h>

#include <cstdlib>
#include <iostream>

namespace fuzz {

void fail(const char* file, int line, const std::string& what)
{
    std::clog << file << ':' << line << ": " << what << std::endl;
    std::abort();
}

} // namespace fuzz
