#pragma once

#include <string>

class QCoreApplication;

namespace fuzz {

// The harness's Qt application, made on the first call, with a home folder and settings store
// of its own, so that nothing a harness does reaches the user's files.
QCoreApplication& application();

// A folder for the files a harness writes, removed when the process ends.
const std::string& scratchDir();

// The installation's data tree that the harnesses read (types, units, devices, schemas).
std::string distDir();

// Initialises the XML parser, confines what it reads to the shipped schemas and loads the
// shipped types, actor types and device types, once per process.
void loadShippedSystem();

} // namespace fuzz
