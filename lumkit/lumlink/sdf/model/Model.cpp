#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/model/Model.h>

namespace lumlink::sdf::model {

Model::Model(const DiagramDocument* document, const SDFScene* scene) : _document(document), _scene(scene)
{
}

bool Model::isProtected() const
{
    return _document->isProtected();
}

bool Model::isSelectionEmpty() const
{
    return _scene->selectedItems().isEmpty();
}

} // namespace lumlink::sdf::model
