#pragma once

#include <string>
#include <vector>

namespace fuzz {

// Watches what the XML parser reads besides the text it is given: any file outside the allowed
// folders, standard input or any URL ends the process as a finding, whatever the kit's own
// resolver decided. Call once, after the parser is initialised; stays for the process.
void confineXmlFiles(const std::vector<std::string>& allowedDirs);

} // namespace fuzz
