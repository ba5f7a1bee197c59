#pragma once

#include <xercesc/util/XMLEntityResolver.hpp>

#include <string>
#include <vector>

namespace util {

// Resolves schemas, DTDs and external entities only to files inside the given directories.
// Anything else (a URL, a path outside the directories, a missing file) throws util::XmlError,
// so the parser never falls back to fetching it itself.
class SchemaResolver : public xercesc::XMLEntityResolver
{
public:
    SchemaResolver(std::vector<std::string> searchPaths, std::string documentPath);

    // The file a reference names, or throws util::XmlError at the given position.
    std::string resolve(const std::string& systemId, int line = 0, int column = 0) const;

    xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;

private:
    std::vector<std::string> _searchPaths;
    std::string _documentPath;
};

} // namespace util
