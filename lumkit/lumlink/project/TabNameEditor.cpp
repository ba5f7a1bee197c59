#include <lumlink/project/TabNameEditor.h>
#include <QKeyEvent>

namespace lumlink::project {

TabNameEditor::TabNameEditor(const QString& name, QWidget* parent) : QLineEdit(name, parent)
{
    setObjectName(QStringLiteral("tabNameEditor"));
    setAccessibleName(tr("Program name"));
    selectAll();
}

void TabNameEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        _done = true;
        emit cancelled();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit nameOffered(text(), false);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TabNameEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Once closed, the editor loses its focus again as it goes away.
    if (_done)
        return;
    _done = true;
    emit nameOffered(text(), true);
}

} // namespace lumlink::project
