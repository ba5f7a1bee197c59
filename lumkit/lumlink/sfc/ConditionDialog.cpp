#include <lum/qt/translation/Manager.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/ConditionDialog.h>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumlink::sfc {

ConditionDialog::ConditionDialog(const ChartDocument* document, const QString& from, const QString& to,
                                 const QString& condition, QWidget* parent)
    : QDialog(parent), _document(document), _from(from), _to(to), _caption(new QLabel(this)),
      _edit(new QLineEdit(condition, this)), _message(new QLabel(this)),
      _buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    _edit->setObjectName("condition");
    _message->setObjectName("conditionMessage");
    _message->setWordWrap(true);
    _message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    _caption->setBuddy(_edit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_caption);
    layout->addWidget(_edit);
    layout->addWidget(_message);
    layout->addWidget(_buttons);
    connect(_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(_edit, &QLineEdit::textChanged, this, &ConditionDialog::check);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &ConditionDialog::translate);
    translate();
    resize(460, sizeHint().height());
}

QString ConditionDialog::condition() const
{
    return _edit->text().trimmed();
}

void ConditionDialog::check()
{
    QString error;
    const bool good = _document->checkCondition(condition().toStdString(), &error);
    _message->setText(good ? tr("The condition is valid.") : error);
    _message->setStyleSheet(good ? QString() : QStringLiteral("color: #c62828;"));
    _buttons->button(QDialogButtonBox::Ok)->setEnabled(good);
}

void ConditionDialog::translate()
{
    setWindowTitle(tr("Transition Condition"));
    _caption->setText(tr("&Condition of the transition from %1 to %2:").arg(_from, _to));
    _edit->setAccessibleName(tr("Condition"));
    _edit->setToolTip(tr("Global variables, numbers, true, false and t (the step's time in seconds), "
                         "joined by ! && || == != < <= > >= + - * / and parentheses"));
    _message->setAccessibleName(tr("Condition check"));
    _buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("OK"));
    _buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    check();
}

} // namespace lumlink::sfc
