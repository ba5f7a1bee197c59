#pragma once

#include <util/XmlError.h>

#include <xercesc/util/XMLEntityResolver.hpp>

#include <optional>
#include <string>
#include <vector>

namespace util {

// Resolves schemas, DTDs and external entities only to files inside the given directories.
// Anything else (a URL, a path outside the directories, a missing file) is refused: the parser,
// whose own resolution is off, gets no source and so reads nothing, and the first refusal is
// kept for the caller to report. (Throwing from inside the parser would leak its half-built
// DTD; empty content for an external DTD would make it leak the entity it sets up for it.)
class SchemaResolver : public xercesc::XMLEntityResolver
{
public:
    SchemaResolver(std::vector<std::string> searchPaths, std::string documentPath);

    // The file a reference names, or throws util::XmlError at the given position.
    std::string resolve(const std::string& systemId, int line = 0, int column = 0) const;

    xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;

    const std::optional<XmlError>& refusal() const { return _refusal; }
    const std::vector<std::string>& searchPaths() const { return _searchPaths; }

private:
    std::optional<XmlError> _refusal;
    std::vector<std::string> _searchPaths;
    std::string _documentPath;
};

} // namespace util
