#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectWriter.h>
#include <kirogen/model/SfcModel.h>
#include <lum/core/Serializer.h>
#include <util/XmlTextWriter.h>

namespace kirogen::model {

namespace {

std::string text(double value)
{
    return lum::core::variant::Serializer::singleton().save(value);
}

void setPosition(util::XmlTextWriter& out, const Position& position)
{
    out.setAttribute("x", text(position.x));
    out.setAttribute("y", text(position.y));
}

} // namespace

ProjectWriter::ProjectWriter(const Project& project) : _project(project)
{
}

std::size_t ProjectWriter::estimatedSize() const
{
    // A written element takes about 60 bytes, its line and indent included.
    static constexpr std::size_t bytesPerElement = 64;
    std::size_t elements = 16 + _project.globalVariables().size() + 8 * _project.devices().size();
    for (const auto& sfc : _project.sfcModels())
        elements += 1 + sfc->steps().size() + sfc->transitions().size();
    for (const auto& entry : _project.diagrams()) {
        elements += 1 + entry.second->links().size();
        for (const FunctionBlock& block : entry.second->blocks())
            elements += 1 + block.parameters.size();
    }
    return elements * bytesPerElement;
}

std::string ProjectWriter::write() const
{
    return writeBytes().toStdString();
}

QByteArray ProjectWriter::writeBytes() const
{
    util::XmlTextWriter out("project");
    out.reserve(estimatedSize());
    out.setAttribute("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance");
    out.setAttribute("xsi:noNamespaceSchemaLocation", "project.xsd");
    out.setAttribute("version", "1");

    const lum::core::variant::Serializer& serializer = lum::core::variant::Serializer::singleton();
    out.startElement("globalVariables");
    for (const auto& entry : _project.globalVariables()) {
        out.startElement("variable");
        out.setAttribute("name", entry.second->getVarName());
        out.setAttribute("type", entry.second->typeName());
        out.setAttribute("value", serializer.save(entry.second->initialValue()));
        out.endElement();
    }
    out.endElement();

    out.startElement("devices");
    for (const auto& device : _project.devices()) {
        out.startElement("device");
        out.setAttribute("type", device->deviceType()->xmlId());
        out.setAttribute("name", device->instanceName());
        device->saveXml(out);
        out.endElement();
    }
    out.endElement();

    out.startElement("programs");
    for (const auto& sfc : _project.sfcModels()) {
        out.startElement("sfc");
        out.setAttribute("name", sfc->name());
        for (const SfcStep& step : sfc->steps()) {
            out.startElement("step");
            out.setAttribute("name", step.name);
            if (step.initial)
                out.setAttribute("initial", "true");
            if (!step.diagram.empty())
                out.setAttribute("diagram", step.diagram);
            setPosition(out, step.position);
            out.endElement();
        }
        for (const SfcTransition& transition : sfc->transitions()) {
            out.startElement("transition");
            out.setAttribute("from", transition.from);
            out.setAttribute("to", transition.to);
            out.setAttribute("condition", transition.condition);
            out.endElement();
        }
        out.endElement();
    }
    for (const auto& entry : _project.diagrams()) {
        const FunctionBlockDiagram& diagram = *entry.second;
        out.startElement("fbd");
        out.setAttribute("name", diagram.name());
        for (const FunctionBlock& block : diagram.blocks()) {
            out.startElement("block");
            out.setAttribute("id", block.id);
            out.setAttribute("type", block.typeId);
            setPosition(out, block.position);
            for (const auto& parameter : block.parameters) {
                out.startElement("parameter");
                out.setAttribute("name", parameter.first);
                out.setAttribute("value", parameter.second);
                out.endElement();
            }
            out.endElement();
        }
        for (const DataLink& link : diagram.links()) {
            out.startElement("link");
            out.setAttribute("from", link.fromBlock);
            out.setAttribute("fromPort", link.fromPort);
            out.setAttribute("to", link.toBlock);
            out.setAttribute("toPort", link.toPort);
            out.endElement();
        }
        out.endElement();
    }
    out.endElement();

    out.startElement("layout");
    if (!_project.layout().currentTab.empty())
        out.setAttribute("current", _project.layout().currentTab);
    for (const std::string& program : _project.layout().openTabs) {
        out.startElement("tab");
        out.setAttribute("program", program);
        out.endElement();
    }
    out.endElement();

    const Protection& protection = _project.protection();
    if (protection.isProtected()) {
        out.startElement("protection");
        out.setAttribute("salt", protection.salt().toHex().toStdString());
        out.setAttribute("hash", protection.hash().toHex().toStdString());
        out.endElement();
    }
    return out.takeBytes();
}

} // namespace kirogen::model
