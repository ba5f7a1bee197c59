#pragma once

#include <kirogen/model/DataLink.h>
#include <kirogen/model/FunctionBlock.h>
#include <QByteArray>
#include <QString>
#include <set>
#include <string>
#include <vector>

namespace kirogen::model {
class FunctionBlockDiagram;
class Project;
} // namespace kirogen::model

namespace lumlink::sdf {

// Blocks cut or copied out of a diagram, with the links among them and what their parameters
// name in their project: the global variables, which a paste brings into a project lacking
// them, and the devices, which the project pasted into must have. It travels through the
// project's clipboard as XML.
class BlockFragment
{
public:
    struct Variable
    {
        std::string name;
        std::string typeName;
        std::string valueText;
    };
    struct DeviceUse
    {
        std::string name;
        std::string typeId;
    };

    // The blocks of the diagram with those ids and the links whose both ends are among them.
    static BlockFragment copy(const kirogen::model::Project& project,
                              const kirogen::model::FunctionBlockDiagram& diagram,
                              const std::set<std::string>& blockIds);
    // False, with the reason, for content that is no fragment.
    static bool fromXml(const QByteArray& xml, BlockFragment* fragment, QString* error);
    QByteArray toXml() const;

    bool isEmpty() const { return _blocks.empty(); }
    const std::vector<kirogen::model::FunctionBlock>& blocks() const { return _blocks; }
    const std::vector<kirogen::model::DataLink>& links() const { return _links; }

    // Gives the blocks ids that the diagram does not use yet (the links follow) and moves them
    // diagonally by whole steps until none sits on or right beside a block already there.
    void placeInto(const kirogen::model::FunctionBlockDiagram& diagram, double step);

    // The global variables the blocks name that the project does not have.
    std::vector<Variable> variablesMissingFrom(const kirogen::model::Project& project) const;
    // A device the blocks name that the project lacks or has with another type; null when
    // the project has them all.
    const DeviceUse* deviceMissingFrom(const kirogen::model::Project& project) const;

private:
    std::vector<kirogen::model::FunctionBlock> _blocks;
    std::vector<kirogen::model::DataLink> _links;
    std::vector<Variable> _variables;
    std::vector<DeviceUse> _devices;
};

} // namespace lumlink::sdf
