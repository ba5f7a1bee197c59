#include <lum/qt/translation/Manager.h>
#include <lumlink/sfc/StepDialog.h>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace lumlink::sfc {

StepDialog::StepDialog(const QString& name, const QString& diagram, const QStringList& otherSteps,
                       const QStringList& diagrams, QWidget* parent)
    : QDialog(parent), _otherSteps(otherSteps), _nameCaption(new QLabel(this)),
      _name(new QLineEdit(name, this)), _diagramCaption(new QLabel(this)), _diagram(new QComboBox(this)),
      _message(new QLabel(this)),
      _buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    _name->setObjectName("stepName");
    _diagram->setObjectName("stepDiagram");
    _message->setObjectName("stepMessage");
    // The first entry stands for no diagram; its text is set by translate().
    _diagram->addItem(QString(), QString());
    for (const QString& each : diagrams)
        _diagram->addItem(each, each);
    _diagram->setCurrentIndex(std::max(0, _diagram->findData(diagram)));
    _nameCaption->setBuddy(_name);
    _diagramCaption->setBuddy(_diagram);
    auto* layout = new QFormLayout(this);
    layout->addRow(_nameCaption, _name);
    layout->addRow(_diagramCaption, _diagram);
    layout->addRow(_message);
    layout->addRow(_buttons);
    connect(_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(_name, &QLineEdit::textChanged, this, &StepDialog::check);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &StepDialog::translate);
    translate();
}

QString StepDialog::name() const
{
    return _name->text().trimmed();
}

QString StepDialog::diagram() const
{
    return _diagram->currentData().toString();
}

void StepDialog::check()
{
    QString problem;
    if (name().isEmpty())
        problem = tr("A step needs a name.");
    else if (_otherSteps.contains(name()))
        problem = tr("There is already a step %1.").arg(name());
    _message->setText(problem);
    _message->setVisible(!problem.isEmpty());
    _buttons->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

void StepDialog::translate()
{
    setWindowTitle(tr("Step"));
    _nameCaption->setText(tr("&Name:"));
    _diagramCaption->setText(tr("&Runs diagram:"));
    _diagram->setItemText(0, tr("(none)"));
    _name->setAccessibleName(tr("Step name"));
    _diagram->setAccessibleName(tr("Diagram the step runs"));
    _message->setAccessibleName(tr("Step name check"));
    _buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("OK"));
    _buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    check();
}

} // namespace lumlink::sfc
