#pragma once

#include <kirogen/model/Position.h>

#include <util/xml/Element.h>

#include <memory>
#include <string>
#include <vector>

namespace kirogen::model {

class FunctionBlockDiagram;
class Project;
class SfcModel;

// Fills a project from its XML and checks that it makes sense: every type and reference is
// known, names are unique, each chart has one initial step, each diagram passes DiagramCheck.
// Each fault is a std::runtime_error "<file>:<line>: <what>".
class ProjectReader
{
public:
    explicit ProjectReader(std::shared_ptr<Project> project);

    void read(const util::xml::Element* root);

private:
    [[noreturn]] void fail(const util::xml::Element* at, const std::string& message) const;
    std::string required(const util::xml::Element* element, const char* name) const;
    double number(const util::xml::Element* element, const char* name) const;
    Position position(const util::xml::Element* element) const;
    const util::xml::Element* section(const util::xml::Element* root, const char* name) const;

    void readVariables(const util::xml::Element* section);
    void readDevices(const util::xml::Element* section);
    void readPrograms(const util::xml::Element* section);
    std::shared_ptr<FunctionBlockDiagram> readDiagram(const util::xml::Element* element) const;
    std::shared_ptr<SfcModel> readSfc(const util::xml::Element* element) const;
    void readLayout(const util::xml::Element* section);
    void readProtection(const util::xml::Element* section);

    std::shared_ptr<Project> _project;
    std::string _file;
};

} // namespace kirogen::model
