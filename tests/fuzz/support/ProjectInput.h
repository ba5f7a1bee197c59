#pragma once

#include <cstddef>
#include <string>

namespace fuzz {

// Writes the bytes to a file of that name in the scratch folder; returns its path.
std::string writeScratchFile(const std::string& name, const void* data, std::size_t size);

// Opens a project file as the interpreter does: read (plain or gzip by its name), validated
// and built into a project. Every refusal must come as an error with a reason. One serializer
// reads every file, keeping its schema grammars.
void openProjectFile(const std::string& path);

} // namespace fuzz
