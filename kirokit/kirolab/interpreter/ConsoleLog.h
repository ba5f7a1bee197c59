#pragma once

#include <kiroutil/log/Log.h>

#include <string>

namespace kirolab::interpreter {

// Writes a log message to standard output with a prefix naming its verbosity.
void logMessageCallback(kiroutil::Log::LogMessageVerbosity verbosity, const std::string& message);

} // namespace kirolab::interpreter
