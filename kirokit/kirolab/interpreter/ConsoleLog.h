#pragma once

#include <kiroutil/log/Log.h>
#include <util/XmlString.h>

#include <string>

namespace kirolab::interpreter {

// Writes a log message to standard output with a prefix naming its verbosity.
void logMessageCallback(kiroutil::Log::LogMessageVerbosity verbosity, const std::string& message);

// Writes model text to standard output, with no line end and no flush.
void writeXmlStringToConsole(const util::XmlString& text);

} // namespace kirolab::interpreter
