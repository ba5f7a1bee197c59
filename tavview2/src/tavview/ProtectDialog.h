#pragma once

#include <QDialog>

class PasswordProtection;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Shows whether the project is protected, takes its password, and once it is entered (or while
// there is none) sets a new password or removes the protection. Every change reaches the
// project at once; the dialog keeps no state of its own.
class ProtectDialog : public QDialog
{
    Q_OBJECT

public:
    // The protection must outlive the dialog.
    ProtectDialog(PasswordProtection& protection, QWidget* parent);

public slots:
    void translate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void on_passwordEdit_editingFinished();
    void on_newEdit_textChanged(const QString& text);
    void on_retypeEdit_textChanged(const QString& text);
    void on_clearPasswordButton_clicked();
    void on_accepted();

private:
    void updateFields();
    void updateRetypeField();

    PasswordProtection& _protection;
    QLabel* _statusLabel;
    QLineEdit* _passwordEdit;
    QGroupBox* _changePasswordGroup;
    QLabel* _newLabel;
    QLineEdit* _newEdit;
    QLabel* _retypeLabel;
    QLineEdit* _retypeEdit;
    QPushButton* _clearPasswordButton;
    QDialogButtonBox* _buttonBox;
};
