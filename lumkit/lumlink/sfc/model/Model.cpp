#include <lumlink/sfc/model/Model.h>
#include <QGraphicsScene>

namespace lumlink::sfc::model {

Model::Model(const QGraphicsScene* scene, std::function<bool()> isProtected)
    : _scene(scene), _isProtected(std::move(isProtected))
{
}

util::UniqueId Model::typeId()
{
    static const util::UniqueId id = util::UniqueId::create();
    return id;
}

bool Model::isProtected() const
{
    return _isProtected && _isProtected();
}

bool Model::isSelectionEmpty() const
{
    return !_scene || _scene->selectedItems().isEmpty();
}

} // namespace lumlink::sfc::model
