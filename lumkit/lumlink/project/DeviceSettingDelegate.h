#pragma once

#include <QStyledItemDelegate>

namespace lumlink::project {

// Edits a device's parameter or configuration value in the devices window with an editor
// that fits its type: a choice of the two values for a bool, a line of text otherwise (the
// project checks that text against the type). Other columns and rows are not edited.
class DeviceSettingDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The data role of a value cell that holds the setting's type name.
    static constexpr int TypeRole = Qt::UserRole;

    DeviceSettingDelegate(int valueColumn, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    int _valueColumn;
};

} // namespace lumlink::project
