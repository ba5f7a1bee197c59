#pragma once

#include <util/UniqueId.h>

class QGraphicsScene;

namespace lumlink::sfc {
class ChartDocument;
}

namespace lumlink::sfc::model {

// What the workbench's actions ask of a sequence chart editor to enable themselves. Its type id
// tells the program view to make a sequence chart rather than a function-block diagram.
class Model
{
public:
    Model(const ChartDocument* document, const QGraphicsScene* scene);

    static util::UniqueId typeId();

    // Edits are not offered while the project is protected.
    bool isProtected() const;
    bool isSelectionEmpty() const;

private:
    const ChartDocument* _document;
    const QGraphicsScene* _scene;
};

} // namespace lumlink::sfc::model
