#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/ProjectEditor.h>
#include <lum/core/Serializer.h>
#include <lumlink/project/Project.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/commands/PasteBlocksCommand.h>
#include <algorithm>
#include <set>

namespace lumlink::sdf::commands {

using kirogen::model::DataLink;
using kirogen::model::FunctionBlock;
using kirogen::model::FunctionBlockDiagram;

PasteBlocksCommand::PasteBlocksCommand(DiagramDocument* document, BlockFragment fragment,
                                       std::vector<BlockFragment::Variable> variables)
    : _document(document), _fragment(std::move(fragment)), _variables(std::move(variables))
{
    setText(tr("Paste %n block(s)", nullptr, static_cast<int>(_fragment.blocks().size())));
}

void PasteBlocksCommand::redo()
{
    kirogen::model::ProjectEditor editor(_document->project());
    std::string error;
    std::size_t added = 0;
    for (; added < _variables.size(); ++added) {
        const BlockFragment::Variable& variable = _variables[added];
        bool ok = false;
        const auto value =
            lum::core::variant::Serializer::singleton().load(variable.valueText, variable.typeName, &ok);
        if (!ok || !editor.addGlobalVariable(variable.name, variable.typeName, value, &error)) {
            if (error.empty())
                error = "\"" + variable.valueText + "\" is no " + variable.typeName;
            break;
        }
    }
    const auto current = _document->diagram();
    bool done = added == _variables.size();
    if (done) {
        std::vector<FunctionBlock> blocks = current->blocks();
        blocks.insert(blocks.end(), _fragment.blocks().begin(), _fragment.blocks().end());
        std::vector<DataLink> links = current->links();
        links.insert(links.end(), _fragment.links().begin(), _fragment.links().end());
        done = _document->replace(
            std::make_shared<FunctionBlockDiagram>(current->name(), blocks, links, current->line()));
    } else {
        emit _document->editRefused(QString::fromStdString(error));
    }
    if (!done) {
        removeVariables(added);
        setObsolete(true);
        return;
    }
    if (project::Project* workbench = _document->workbenchProject()) {
        for (const BlockFragment::Variable& variable : _variables)
            workbench->announceGlobalVariableAdded(QString::fromStdString(variable.name));
    }
}

void PasteBlocksCommand::undo()
{
    std::set<std::string> pasted;
    for (const FunctionBlock& block : _fragment.blocks())
        pasted.insert(block.id);
    const auto current = _document->diagram();
    std::vector<FunctionBlock> blocks = current->blocks();
    blocks.erase(std::remove_if(blocks.begin(), blocks.end(),
                                [&pasted](const FunctionBlock& block) { return pasted.count(block.id) > 0; }),
                 blocks.end());
    std::vector<DataLink> links = current->links();
    links.erase(std::remove_if(links.begin(), links.end(),
                               [&pasted](const DataLink& link) {
                                   return pasted.count(link.fromBlock) + pasted.count(link.toBlock) > 0;
                               }),
                links.end());
    _document->replace(
        std::make_shared<FunctionBlockDiagram>(current->name(), blocks, links, current->line()));
    removeVariables(_variables.size());
    if (project::Project* workbench = _document->workbenchProject()) {
        for (auto it = _variables.rbegin(); it != _variables.rend(); ++it)
            workbench->announceGlobalVariableRemoved(QString::fromStdString(it->name));
    }
}

void PasteBlocksCommand::removeVariables(std::size_t count)
{
    kirogen::model::ProjectEditor editor(_document->project());
    while (count > 0)
        editor.removeGlobalVariable(_variables[--count].name, nullptr);
}

} // namespace lumlink::sdf::commands
