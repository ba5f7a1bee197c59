#include <kirolab/interpreter/ConsoleLog.h>

#include <iostream>

namespace kirolab::interpreter {

void logMessageCallback(kiroutil::Log::LogMessageVerbosity verbosity, const std::string& message)
{
    static const char* const prefixes[] = {
        "Debug: ", "Verbose: ", "Note: ", "Warning: ", "Error: ", "Critical error: "};
    if (verbosity >= 0 && verbosity < static_cast<int>(std::size(prefixes)))
        std::cout << prefixes[verbosity];
    std::cout << message << std::endl;
}

} // namespace kirolab::interpreter
