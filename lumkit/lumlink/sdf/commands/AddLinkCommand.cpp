#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <kirogen/sdf/ValueConversion.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/commands/AddLinkCommand.h>
#include <QCoreApplication>
#include <algorithm>

namespace lumlink::sdf::commands {

using kirogen::model::DataLink;
using kirogen::model::FunctionBlockDiagram;

namespace {

const kirogen::sdf::ActorPort* portOf(const FunctionBlockDiagram& diagram, const std::string& blockId,
                                      const std::string& port)
{
    const auto* block = diagram.block(blockId);
    const auto type = block ? kirogen::sdf::ActorTypeRegistry::singleton().get(block->typeId) : nullptr;
    return type ? type->port(port) : nullptr;
}

} // namespace

AddLinkCommand::AddLinkCommand(DiagramDocument* document, DataLink link)
    : _document(document), _link(std::move(link))
{
    setText(tr("Link %1.%2 to %3.%4")
                .arg(QString::fromStdString(_link.fromBlock), QString::fromStdString(_link.fromPort),
                     QString::fromStdString(_link.toBlock), QString::fromStdString(_link.toPort)));
}

bool AddLinkCommand::typesFit() const
{
    const auto current = _document->diagram();
    const auto* from = portOf(*current, _link.fromBlock, _link.fromPort);
    const auto* to = portOf(*current, _link.toBlock, _link.toPort);
    // Unknown ports are left to the model, which names them.
    if (!from || !to || kirogen::sdf::ValueConversion::connectable(from->typeName, to->typeName))
        return true;
    emit _document->editRefused(
        tr("An output of type %1 cannot feed the input %2.%3 of type %4")
            .arg(QString::fromStdString(from->typeName), QString::fromStdString(_link.toBlock),
                 QString::fromStdString(_link.toPort), QString::fromStdString(to->typeName)));
    return false;
}

void AddLinkCommand::redo()
{
    if (!typesFit()) {
        setObsolete(true);
        return;
    }
    const auto current = _document->diagram();
    std::vector<DataLink> links = current->links();
    links.push_back(_link);
    setObsolete(!_document->replace(
        std::make_shared<FunctionBlockDiagram>(current->name(), current->blocks(), links, current->line())));
}

void AddLinkCommand::undo()
{
    const auto current = _document->diagram();
    std::vector<DataLink> links = current->links();
    links.erase(std::remove(links.begin(), links.end(), _link), links.end());
    _document->replace(
        std::make_shared<FunctionBlockDiagram>(current->name(), current->blocks(), links, current->line()));
}

} // namespace lumlink::sdf::commands
