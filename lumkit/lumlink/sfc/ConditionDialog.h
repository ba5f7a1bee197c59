#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace lumlink::sfc {

class ChartDocument;

// Edits a transition's condition. Every change of the text is checked with the runtime's
// condition parser; its message shows below the field and OK stays disabled while it refuses.
class ConditionDialog : public QDialog
{
    Q_OBJECT

public:
    ConditionDialog(const ChartDocument* document, const QString& from, const QString& to,
                    const QString& condition, QWidget* parent = nullptr);

    QString condition() const;

private slots:
    void check();
    void translate();

private:
    const ChartDocument* _document;
    QString _from;
    QString _to;
    QLabel* _caption;
    QLineEdit* _edit;
    QLabel* _message;
    QDialogButtonBox* _buttons;
};

} // namespace lumlink::sfc
