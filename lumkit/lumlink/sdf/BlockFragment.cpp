#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceType.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <lum/core/Serializer.h>
#include <lumlink/sdf/BlockFragment.h>
#include <QCoreApplication>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace lumlink::sdf {

using kirogen::model::DataLink;
using kirogen::model::FunctionBlock;
using kirogen::sdf::ActorParameter;

namespace {

const QString RootElement = QStringLiteral("tavviewBlocks");

std::string attribute(const QXmlStreamReader& reader, const char* name)
{
    return reader.attributes().value(QLatin1String(name)).toString().toStdString();
}

// "add12" gives "add", so that a renamed copy keeps the look of its original's id.
std::string stemOf(const std::string& id)
{
    std::size_t end = id.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(id[end - 1])))
        --end;
    return end == 0 ? id : id.substr(0, end);
}

} // namespace

BlockFragment BlockFragment::copy(const kirogen::model::Project& project,
                                  const kirogen::model::FunctionBlockDiagram& diagram,
                                  const std::set<std::string>& blockIds)
{
    BlockFragment fragment;
    std::set<std::string> variables;
    std::set<std::string> devices;
    for (const FunctionBlock& block : diagram.blocks()) {
        if (!blockIds.count(block.id))
            continue;
        fragment._blocks.push_back(block);
        fragment._blocks.back().line = 0;
        const auto type = kirogen::sdf::ActorTypeRegistry::singleton().get(block.typeId);
        if (!type)
            continue;
        for (const ActorParameter& parameter : type->parameters()) {
            const auto own = block.parameters.find(parameter.name);
            const std::string& text = own == block.parameters.end() ? parameter.defaultText : own->second;
            if (parameter.reference == ActorParameter::Reference::GlobalVariable &&
                variables.insert(text).second) {
                if (const auto variable = project.globalVariable(text))
                    fragment._variables.push_back(
                        {text, variable->typeName(),
                         lum::core::variant::Serializer::singleton().save(variable->initialValue())});
            } else if (parameter.reference == ActorParameter::Reference::Device &&
                       devices.insert(text).second) {
                if (const auto device = project.device(text))
                    fragment._devices.push_back({text, device->deviceType()->xmlId()});
            }
        }
    }
    for (const DataLink& link : diagram.links()) {
        if (blockIds.count(link.fromBlock) && blockIds.count(link.toBlock)) {
            fragment._links.push_back(link);
            fragment._links.back().line = 0;
        }
    }
    return fragment;
}

QByteArray BlockFragment::toXml() const
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(RootElement);
    for (const Variable& variable : _variables) {
        writer.writeEmptyElement(QStringLiteral("variable"));
        writer.writeAttribute(QStringLiteral("name"), QString::fromStdString(variable.name));
        writer.writeAttribute(QStringLiteral("type"), QString::fromStdString(variable.typeName));
        writer.writeAttribute(QStringLiteral("value"), QString::fromStdString(variable.valueText));
    }
    for (const DeviceUse& device : _devices) {
        writer.writeEmptyElement(QStringLiteral("device"));
        writer.writeAttribute(QStringLiteral("name"), QString::fromStdString(device.name));
        writer.writeAttribute(QStringLiteral("type"), QString::fromStdString(device.typeId));
    }
    for (const FunctionBlock& block : _blocks) {
        writer.writeStartElement(QStringLiteral("block"));
        writer.writeAttribute(QStringLiteral("id"), QString::fromStdString(block.id));
        writer.writeAttribute(QStringLiteral("type"), QString::fromStdString(block.typeId));
        writer.writeAttribute(QStringLiteral("x"), QString::number(block.position.x));
        writer.writeAttribute(QStringLiteral("y"), QString::number(block.position.y));
        for (const auto& [name, value] : block.parameters) {
            writer.writeEmptyElement(QStringLiteral("parameter"));
            writer.writeAttribute(QStringLiteral("name"), QString::fromStdString(name));
            writer.writeAttribute(QStringLiteral("value"), QString::fromStdString(value));
        }
        writer.writeEndElement();
    }
    for (const DataLink& link : _links) {
        writer.writeEmptyElement(QStringLiteral("link"));
        writer.writeAttribute(QStringLiteral("from"), QString::fromStdString(link.fromBlock));
        writer.writeAttribute(QStringLiteral("fromPort"), QString::fromStdString(link.fromPort));
        writer.writeAttribute(QStringLiteral("to"), QString::fromStdString(link.toBlock));
        writer.writeAttribute(QStringLiteral("toPort"), QString::fromStdString(link.toPort));
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

bool BlockFragment::fromXml(const QByteArray& xml, BlockFragment* fragment, QString* error)
{
    BlockFragment read;
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != RootElement) {
        *error = QCoreApplication::translate("lumlink::sdf::BlockFragment",
                                             "The clipboard holds no function blocks");
        return false;
    }
    while (reader.readNextStartElement()) {
        const auto name = reader.name();
        if (name == QLatin1String("variable")) {
            read._variables.push_back(
                {attribute(reader, "name"), attribute(reader, "type"), attribute(reader, "value")});
        } else if (name == QLatin1String("device")) {
            read._devices.push_back({attribute(reader, "name"), attribute(reader, "type")});
        } else if (name == QLatin1String("link")) {
            read._links.push_back({attribute(reader, "from"), attribute(reader, "fromPort"),
                                   attribute(reader, "to"), attribute(reader, "toPort"), 0});
        } else if (name == QLatin1String("block")) {
            FunctionBlock block;
            block.id = attribute(reader, "id");
            block.typeId = attribute(reader, "type");
            block.position = {reader.attributes().value(QLatin1String("x")).toDouble(),
                              reader.attributes().value(QLatin1String("y")).toDouble()};
            while (reader.readNextStartElement()) {
                if (reader.name() == QLatin1String("parameter"))
                    block.parameters[attribute(reader, "name")] = attribute(reader, "value");
                reader.skipCurrentElement();
            }
            read._blocks.push_back(std::move(block));
            continue;
        }
        reader.skipCurrentElement();
    }
    if (reader.hasError()) {
        *error = reader.errorString();
        return false;
    }
    std::set<std::string> ids;
    for (const FunctionBlock& block : read._blocks)
        ids.insert(block.id);
    for (const DataLink& link : read._links) {
        if (!ids.count(link.fromBlock) || !ids.count(link.toBlock)) {
            *error = QCoreApplication::translate("lumlink::sdf::BlockFragment",
                                                 "The clipboard holds a link to a block it does not hold");
            return false;
        }
    }
    *fragment = std::move(read);
    return true;
}

void BlockFragment::placeInto(const kirogen::model::FunctionBlockDiagram& diagram, double step)
{
    std::set<std::string> taken;
    for (const FunctionBlock& block : diagram.blocks())
        taken.insert(block.id);
    std::map<std::string, std::string> renamed;
    for (FunctionBlock& block : _blocks) {
        const std::string stem = stemOf(block.id);
        std::string id;
        for (int number = 1; taken.count(id = stem + std::to_string(number)); ++number) {
        }
        taken.insert(id);
        renamed[block.id] = id;
        block.id = id;
    }
    for (DataLink& link : _links) {
        link.fromBlock = renamed.at(link.fromBlock);
        link.toBlock = renamed.at(link.toBlock);
    }
    // A copy closer than two steps to a block would hide that block's name.
    const auto coversABlock = [&](double offset) {
        return std::any_of(_blocks.begin(), _blocks.end(), [&](const FunctionBlock& pasted) {
            return std::any_of(
                diagram.blocks().begin(), diagram.blocks().end(), [&](const FunctionBlock& there) {
                    return std::abs(pasted.position.x + offset - there.position.x) < 2 * step &&
                           std::abs(pasted.position.y + offset - there.position.y) < 2 * step;
                });
        });
    };
    double offset = 0;
    while (coversABlock(offset))
        offset += 2 * step;
    for (FunctionBlock& block : _blocks) {
        block.position.x += offset;
        block.position.y += offset;
    }
}

std::vector<BlockFragment::Variable>
BlockFragment::variablesMissingFrom(const kirogen::model::Project& project) const
{
    std::vector<Variable> missing;
    for (const Variable& variable : _variables) {
        if (!project.globalVariable(variable.name))
            missing.push_back(variable);
    }
    return missing;
}

const BlockFragment::DeviceUse* BlockFragment::deviceMissingFrom(const kirogen::model::Project& project) const
{
    for (const DeviceUse& device : _devices) {
        const auto there = project.device(device.name);
        if (!there || there->deviceType()->xmlId() != device.typeId)
            return &device;
    }
    return nullptr;
}

} // namespace lumlink::sdf
