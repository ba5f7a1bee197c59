#pragma once

#include <kirogen/model/Position.h>

#include <xercesc/dom/DOMElement.hpp>

#include <memory>
#include <string>
#include <vector>

namespace kirogen::model {

class FunctionBlockDiagram;
class Project;
class SfcModel;

// Fills a project from its XML and checks that it makes sense: every type and reference is
// known, names are unique, each chart has one initial step, data flow has no cycle without a
// delay block. Each fault is a std::runtime_error "<file>:<line>: <what>".
class ProjectReader
{
public:
    explicit ProjectReader(std::shared_ptr<Project> project);

    void read(const xercesc::DOMElement* root);

private:
    [[noreturn]] void fail(const xercesc::DOMElement* at, const std::string& message) const;
    std::string required(const xercesc::DOMElement* element, const char* name) const;
    double number(const xercesc::DOMElement* element, const char* name) const;
    Position position(const xercesc::DOMElement* element) const;
    const xercesc::DOMElement* section(const xercesc::DOMElement* root, const char* name) const;

    void readVariables(const xercesc::DOMElement* section);
    void readDevices(const xercesc::DOMElement* section);
    void readPrograms(const xercesc::DOMElement* section);
    std::shared_ptr<FunctionBlockDiagram> readDiagram(const xercesc::DOMElement* element) const;
    std::shared_ptr<SfcModel> readSfc(const xercesc::DOMElement* element) const;
    void checkReferences(const std::vector<const xercesc::DOMElement*>& blockElements,
                         const std::vector<const xercesc::DOMElement*>& linkElements,
                         const FunctionBlockDiagram& diagram) const;
    void checkCycles(const xercesc::DOMElement* element, const FunctionBlockDiagram& diagram) const;
    void readLayout(const xercesc::DOMElement* section);
    void readProtection(const xercesc::DOMElement* section);

    std::shared_ptr<Project> _project;
    std::string _file;
};

} // namespace kirogen::model
