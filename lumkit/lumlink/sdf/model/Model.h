#pragma once

namespace lumlink::sdf {
class DiagramDocument;
class SDFScene;
} // namespace lumlink::sdf

namespace lumlink::sdf::model {

// What the workbench's actions ask of a function-block editor to enable themselves.
class Model
{
public:
    Model(const DiagramDocument* document, const SDFScene* scene);

    // Edits are not offered while the project is protected.
    bool isProtected() const;
    bool isSelectionEmpty() const;

private:
    const DiagramDocument* _document;
    const SDFScene* _scene;
};

} // namespace lumlink::sdf::model
