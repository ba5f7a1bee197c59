#pragma once

#include <QLineEdit>

namespace lumlink::project {

// The line edit that lies over a tab while its program is renamed in place: Return offers the
// name, leaving the field offers it and ends the editing, Escape ends it without a change.
class TabNameEditor : public QLineEdit
{
    Q_OBJECT

public:
    TabNameEditor(const QString& name, QWidget* parent);

signals:
    // finished: the field was left, so it closes whatever becomes of the name.
    void nameOffered(const QString& name, bool finished);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool _done = false;
};

} // namespace lumlink::project
