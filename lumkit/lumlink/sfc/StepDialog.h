#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace lumlink::sfc {

// Edits a step's name and the function-block diagram it runs. OK stays disabled while the name
// is empty or taken by another step of the chart.
class StepDialog : public QDialog
{
    Q_OBJECT

public:
    // otherSteps: the names of the chart's other steps; diagrams: those the step may run.
    StepDialog(const QString& name, const QString& diagram, const QStringList& otherSteps,
               const QStringList& diagrams, QWidget* parent = nullptr);

    QString name() const;
    // Empty for none.
    QString diagram() const;

private slots:
    void check();
    void translate();

private:
    QStringList _otherSteps;
    QLabel* _nameCaption;
    QLineEdit* _name;
    QLabel* _diagramCaption;
    QComboBox* _diagram;
    QLabel* _message;
    QDialogButtonBox* _buttons;
};

} // namespace lumlink::sfc
