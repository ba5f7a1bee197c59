#pragma once

#include <util/UniqueId.h>
#include <functional>

class QGraphicsScene;

namespace lumlink::sfc::model {

// What the workbench's actions ask of a sequence chart editor to enable themselves. Its type id
// tells the program view to make a sequence chart rather than a function-block diagram.
class Model
{
public:
    Model(const QGraphicsScene* scene, std::function<bool()> isProtected);

    static util::UniqueId typeId();

    // Edits are not offered while the project is protected.
    bool isProtected() const;
    bool isSelectionEmpty() const;

private:
    const QGraphicsScene* _scene;
    std::function<bool()> _isProtected;
};

} // namespace lumlink::sfc::model
