#pragma once

#include <string>

namespace fuzz {

// A broken expectation: printed with its place, then the process aborts, which libFuzzer and
// the corpus replay both report as a failure of the input.
[[noreturn]] void fail(const char* file, int line, const std::string& what);

} // namespace fuzz

#define FUZZ_CHECK(condition, what)                                                                          \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::fuzz::fail(__FILE__, __LINE__, what);                                                          \
    } while (false)
