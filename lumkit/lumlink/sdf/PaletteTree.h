#pragma once

#include <QTreeWidget>

namespace lumlink::sdf {

// The palette's list of actor types by category; a type dragged out of it carries its id.
class PaletteTree : public QTreeWidget
{
    Q_OBJECT

public:
    // The role of an entry's actor type id; categories have none.
    static constexpr int TypeIdRole = Qt::UserRole + 1;

    explicit PaletteTree(QWidget* parent = nullptr);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*> items) const override;
};

} // namespace lumlink::sdf
