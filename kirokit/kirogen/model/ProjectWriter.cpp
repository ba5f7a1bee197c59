#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectWriter.h>
#include <kirogen/model/SfcModel.h>
#include <lum/core/Serializer.h>
#include <util/XmlSerializer.h>
#include <util/XmlString.h>
#include <util/xml/Dom.h>

namespace kirogen::model {

namespace xml = util::xml;
using xercesc::DOMElement;

namespace {

std::string text(double value)
{
    return lum::core::variant::Serializer::singleton().save(value);
}

void setPosition(DOMElement* element, const Position& position)
{
    xml::setAttribute(element, "x", text(position.x));
    xml::setAttribute(element, "y", text(position.y));
}

} // namespace

ProjectWriter::ProjectWriter(const Project& project) : _project(project)
{
}

xercesc::DOMDocument* ProjectWriter::write() const
{
    xml::DomDocumentPtr doc(util::XmlSerializer::createDocument("project"));
    DOMElement* root = doc->getDocumentElement();
    root->setAttributeNS(util::XmlString("http://www.w3.org/2000/xmlns/").xmlText(),
                         util::XmlString("xmlns:xsi").xmlText(),
                         util::XmlString("http://www.w3.org/2001/XMLSchema-instance").xmlText());
    root->setAttributeNS(util::XmlString("http://www.w3.org/2001/XMLSchema-instance").xmlText(),
                         util::XmlString("xsi:noNamespaceSchemaLocation").xmlText(),
                         util::XmlString("project.xsd").xmlText());
    xml::setAttribute(root, "version", "1");

    DOMElement* variables = xml::appendChild(root, "globalVariables");
    for (const auto& entry : _project.globalVariables()) {
        DOMElement* element = xml::appendChild(variables, "variable");
        xml::setAttribute(element, "name", entry.second->getVarName());
        xml::setAttribute(element, "type", entry.second->typeName());
        xml::setAttribute(element, "value",
                          lum::core::variant::Serializer::singleton().save(entry.second->initialValue()));
    }

    DOMElement* devices = xml::appendChild(root, "devices");
    for (const auto& device : _project.devices()) {
        DOMElement* element = xml::appendChild(devices, "device");
        xml::setAttribute(element, "type", device->deviceType()->xmlId());
        xml::setAttribute(element, "name", device->instanceName());
        device->saveXml(element);
    }

    DOMElement* programs = xml::appendChild(root, "programs");
    for (const auto& sfc : _project.sfcModels()) {
        DOMElement* chart = xml::appendChild(programs, "sfc");
        xml::setAttribute(chart, "name", sfc->name());
        for (const SfcStep& step : sfc->steps()) {
            DOMElement* element = xml::appendChild(chart, "step");
            xml::setAttribute(element, "name", step.name);
            if (step.initial)
                xml::setAttribute(element, "initial", "true");
            if (!step.diagram.empty())
                xml::setAttribute(element, "diagram", step.diagram);
            setPosition(element, step.position);
        }
        for (const SfcTransition& transition : sfc->transitions()) {
            DOMElement* element = xml::appendChild(chart, "transition");
            xml::setAttribute(element, "from", transition.from);
            xml::setAttribute(element, "to", transition.to);
            xml::setAttribute(element, "condition", transition.condition);
        }
    }
    for (const auto& entry : _project.diagrams()) {
        const FunctionBlockDiagram& diagram = *entry.second;
        DOMElement* fbd = xml::appendChild(programs, "fbd");
        xml::setAttribute(fbd, "name", diagram.name());
        for (const FunctionBlock& block : diagram.blocks()) {
            DOMElement* element = xml::appendChild(fbd, "block");
            xml::setAttribute(element, "id", block.id);
            xml::setAttribute(element, "type", block.typeId);
            setPosition(element, block.position);
            for (const auto& parameter : block.parameters) {
                DOMElement* parameterElement = xml::appendChild(element, "parameter");
                xml::setAttribute(parameterElement, "name", parameter.first);
                xml::setAttribute(parameterElement, "value", parameter.second);
            }
        }
        for (const DataLink& link : diagram.links()) {
            DOMElement* element = xml::appendChild(fbd, "link");
            xml::setAttribute(element, "from", link.fromBlock);
            xml::setAttribute(element, "fromPort", link.fromPort);
            xml::setAttribute(element, "to", link.toBlock);
            xml::setAttribute(element, "toPort", link.toPort);
        }
    }

    DOMElement* layout = xml::appendChild(root, "layout");
    if (!_project.layout().currentTab.empty())
        xml::setAttribute(layout, "current", _project.layout().currentTab);
    for (const std::string& program : _project.layout().openTabs)
        xml::setAttribute(xml::appendChild(layout, "tab"), "program", program);

    const Protection& protection = _project.protection();
    if (protection.isProtected()) {
        DOMElement* element = xml::appendChild(root, "protection");
        xml::setAttribute(element, "salt", protection.salt().toHex().toStdString());
        xml::setAttribute(element, "hash", protection.hash().toHex().toStdString());
    }
    return doc.release();
}

} // namespace kirogen::model
