#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/model/Model.h>
#include <QGraphicsScene>

namespace lumlink::sfc::model {

Model::Model(const ChartDocument* document, const QGraphicsScene* scene) : _document(document), _scene(scene)
{
}

util::UniqueId Model::typeId()
{
    static const util::UniqueId id = util::UniqueId::create();
    return id;
}

bool Model::isProtected() const
{
    return _document->isProtected();
}

bool Model::isSelectionEmpty() const
{
    return _scene->selectedItems().isEmpty();
}

} // namespace lumlink::sfc::model
