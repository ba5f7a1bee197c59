#include <tavview/PasswordProtection.h>
#include <tavview/ProtectDialog.h>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* passwordField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    // Someone looking over the shoulder must not read the password; whether the two new
    // fields agree shows in the retype field's colour.
    field->setEchoMode(QLineEdit::Password);
    return field;
}

} // namespace

ProtectDialog::ProtectDialog(PasswordProtection& protection, QWidget* parent)
    : QDialog(parent), _protection(protection), _statusLabel(new QLabel(this)),
      _passwordEdit(passwordField(this)), _changePasswordGroup(new QGroupBox(this)),
      _newLabel(new QLabel(_changePasswordGroup)), _newEdit(passwordField(_changePasswordGroup)),
      _retypeLabel(new QLabel(_changePasswordGroup)), _retypeEdit(passwordField(_changePasswordGroup)),
      _clearPasswordButton(new QPushButton(_changePasswordGroup)),
      _buttonBox(new QDialogButtonBox(QDialogButtonBox::Ok, this))
{
    _passwordEdit->installEventFilter(this);
    _newLabel->setBuddy(_newEdit);
    _retypeLabel->setBuddy(_retypeEdit);

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(_newLabel);
    newRow->addWidget(_newEdit);
    auto* retypeRow = new QHBoxLayout;
    retypeRow->addWidget(_retypeLabel);
    retypeRow->addWidget(_retypeEdit);
    auto* groupLayout = new QVBoxLayout(_changePasswordGroup);
    groupLayout->addLayout(newRow);
    groupLayout->addLayout(retypeRow);
    groupLayout->addWidget(_clearPasswordButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_statusLabel);
    layout->addWidget(_passwordEdit);
    layout->addWidget(_changePasswordGroup);
    layout->addWidget(_buttonBox);

    connect(_passwordEdit, &QLineEdit::editingFinished, this,
            &ProtectDialog::on_passwordEdit_editingFinished);
    connect(_newEdit, &QLineEdit::textChanged, this, &ProtectDialog::on_newEdit_textChanged);
    connect(_retypeEdit, &QLineEdit::textChanged, this, &ProtectDialog::on_retypeEdit_textChanged);
    connect(_clearPasswordButton, &QPushButton::clicked, this,
            &ProtectDialog::on_clearPasswordButton_clicked);
    connect(_buttonBox, &QDialogButtonBox::accepted, this, &ProtectDialog::on_accepted);

    translate();
}

void ProtectDialog::translate()
{
    _changePasswordGroup->setTitle(tr("Change password"));
    _newLabel->setText(tr("New") + QLatin1Char(':'));
    _retypeLabel->setText(tr("Retype") + QLatin1Char(':'));
    _clearPasswordButton->setText(tr("Remove password protection."));
    _passwordEdit->setAccessibleName(tr("Password"));
    _newEdit->setAccessibleName(tr("New password"));
    _retypeEdit->setAccessibleName(tr("Retype new password"));
    _buttonBox->setAccessibleName(tr("Dialog buttons"));
    updateFields();
}

bool ProtectDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Return in the password field enters the password and nothing more: passed on, it would
    // also press Ok and close the dialog before the unlocked settings could be changed.
    if (watched == _passwordEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            on_passwordEdit_editingFinished();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ProtectDialog::updateFields()
{
    if (_protection.password().isEmpty()) {
        _statusLabel->setText(tr("The project is unprotected."));
        _passwordEdit->setEnabled(false);
        _changePasswordGroup->setEnabled(true);
    } else if (_protection.passwordValidated()) {
        _statusLabel->setText(tr("The project is protected. Password already successfully entered."));
        _passwordEdit->setEnabled(false);
        _changePasswordGroup->setEnabled(true);
    } else {
        _statusLabel->setText(tr("The project is protected. Enter password to edit protection settings."));
        _passwordEdit->setEnabled(true);
        _changePasswordGroup->setEnabled(false);
    }
    updateRetypeField();
}

void ProtectDialog::updateRetypeField()
{
    const bool agree = !_retypeEdit->text().isEmpty() && _retypeEdit->text() == _newEdit->text();
    QPalette palette;
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, agree ? Qt::green : Qt::red);
    _retypeEdit->setPalette(palette);
}

void ProtectDialog::on_passwordEdit_editingFinished()
{
    _protection.validatePassword(_passwordEdit->text());
    updateFields();
}

void ProtectDialog::on_newEdit_textChanged(const QString&)
{
    updateRetypeField();
}

void ProtectDialog::on_retypeEdit_textChanged(const QString&)
{
    updateRetypeField();
}

void ProtectDialog::on_clearPasswordButton_clicked()
{
    _protection.setPassword(QString());
    _newEdit->clear();
    _retypeEdit->clear();
    updateFields();
}

void ProtectDialog::on_accepted()
{
    if (!_retypeEdit->text().isEmpty() && _retypeEdit->text() == _newEdit->text())
        _protection.setPassword(_retypeEdit->text());
    accept();
}
