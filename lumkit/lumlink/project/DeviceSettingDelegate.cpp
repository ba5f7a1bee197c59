#include <lumlink/project/DeviceSettingDelegate.h>
#include <QComboBox>
#include <QLineEdit>

namespace lumlink::project {

DeviceSettingDelegate::DeviceSettingDelegate(int valueColumn, QObject* parent)
    : QStyledItemDelegate(parent), _valueColumn(valueColumn)
{
}

QWidget* DeviceSettingDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex& index) const
{
    const QString type = index.data(TypeRole).toString();
    if (index.column() != _valueColumn || type.isEmpty())
        return nullptr;
    const QString name = index.siblingAtColumn(0).data().toString();
    if (type == QLatin1String("bool")) {
        auto* box = new QComboBox(parent);
        // The values as a project file writes them.
        box->addItems({QStringLiteral("false"), QStringLiteral("true")});
        box->setAccessibleName(tr("Value of %1").arg(name));
        // A choice made with the mouse or the arrow keys applies at once.
        auto* self = const_cast<DeviceSettingDelegate*>(this);
        connect(box, QOverload<int>::of(&QComboBox::activated), self, [self, box] {
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }
    auto* line = new QLineEdit(parent);
    line->setAccessibleName(tr("Value of %1").arg(name));
    line->setPlaceholderText(tr("a value of type %1").arg(type));
    return line;
}

void DeviceSettingDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* box = qobject_cast<QComboBox*>(editor))
        box->setCurrentText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
}

void DeviceSettingDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                         const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(editor))
        model->setData(index, box->currentText());
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        model->setData(index, line->text());
}

} // namespace lumlink::project
