#include <lumlink/sdf/PaletteTree.h>
#include <lumlink/sdf/SDFView.h>
#include <QMimeData>

namespace lumlink::sdf {

PaletteTree::PaletteTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setDragEnabled(true);
    setDragDropMode(DragOnly);
    setSelectionMode(SingleSelection);
}

QStringList PaletteTree::mimeTypes() const
{
    return {QString::fromLatin1(SDFView::ActorTypeMimeType)};
}

QMimeData* PaletteTree::mimeData(const QList<QTreeWidgetItem*> items) const
{
    if (items.size() != 1 || items.front()->data(0, TypeIdRole).toString().isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(SDFView::ActorTypeMimeType, items.front()->data(0, TypeIdRole).toString().toUtf8());
    return data;
}

} // namespace lumlink::sdf
