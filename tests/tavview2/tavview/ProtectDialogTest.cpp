#include <tavview/PasswordProtection.h>
#include <tavview/ProtectDialog.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A project's protection: validating the right password unlocks it until the password changes.
class Protection : public PasswordProtection
{
public:
    explicit Protection(const QString& password = QString()) : _password(password) {}

    QString password() const override { return _password; }
    bool passwordValidated() const override { return _validated; }
    void validatePassword(const QString& password) override { _validated = password == _password; }
    void setPassword(const QString& password) override
    {
        _password = password;
        _validated = !password.isEmpty();
    }

private:
    QString _password;
    bool _validated = false;
};

// The dialog's parts, found as a user finds them: top to bottom.
struct Parts
{
    explicit Parts(ProtectDialog& dialog)
        : status(dialog.findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly)),
          group(dialog.findChild<QGroupBox*>()), remove(group->findChild<QPushButton*>()),
          ok(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok))
    {
        const QList<QLineEdit*> direct =
            dialog.findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
        const QList<QLineEdit*> inGroup = group->findChildren<QLineEdit*>();
        password = direct.value(0);
        newEdit = inGroup.value(0);
        retype = inGroup.value(1);
    }

    QColor retypeBackground() const { return retype->palette().color(QPalette::Base); }

    QLabel* status;
    QGroupBox* group;
    QPushButton* remove;
    QPushButton* ok;
    QLineEdit* password = nullptr;
    QLineEdit* newEdit = nullptr;
    QLineEdit* retype = nullptr;
};

void typeInto(QLineEdit* field, const QString& text)
{
    field->clear();
    QTest::keyClicks(field, text);
}

// Leaving the field, as a user does by clicking elsewhere.
void leave(QLineEdit* field, QWidget* next)
{
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
    next->setFocus();
}

class ProtectDialogTest : public testing::Test
{
protected:
    void show(ProtectDialog& dialog)
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
};

TEST_F(ProtectDialogTest, UnprotectedProjectGetsThePasswordTypedTwice)
{
    Protection protection;
    ProtectDialog dialog(protection, nullptr);
    Parts parts(dialog);

    EXPECT_EQ(parts.status->text(), QStringLiteral("The project is unprotected."));
    EXPECT_FALSE(parts.password->isEnabled());
    EXPECT_TRUE(parts.group->isEnabled());
    EXPECT_EQ(parts.group->title(), QStringLiteral("Change password"));
    EXPECT_EQ(parts.remove->text(), QStringLiteral("Remove password protection."));
    for (QLineEdit* field : {parts.password, parts.newEdit, parts.retype}) {
        EXPECT_EQ(field->echoMode(), QLineEdit::Password);
        EXPECT_FALSE(field->accessibleName().isEmpty());
    }
    EXPECT_EQ(parts.retypeBackground(), QColor(Qt::red));

    typeInto(parts.newEdit, QStringLiteral("robot42"));
    typeInto(parts.retype, QStringLiteral("robot42"));
    EXPECT_EQ(parts.retypeBackground(), QColor(Qt::green));
    EXPECT_EQ(parts.retype->palette().color(QPalette::Text), QColor(Qt::black));

    parts.ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(protection.password(), QStringLiteral("robot42"));
}

TEST_F(ProtectDialogTest, RetypeFieldIsRedUnlessItMatchesANonEmptyNewPassword)
{
    Protection protection(QStringLiteral("old"));
    protection.validatePassword(QStringLiteral("old"));
    ProtectDialog dialog(protection, nullptr);
    Parts parts(dialog);

    typeInto(parts.newEdit, QStringLiteral("fresh"));
    EXPECT_EQ(parts.retypeBackground(), QColor(Qt::red));
    typeInto(parts.retype, QStringLiteral("fres"));
    EXPECT_EQ(parts.retypeBackground(), QColor(Qt::red));
    QTest::keyClicks(parts.retype, QStringLiteral("h"));
    EXPECT_EQ(parts.retypeBackground(), QColor(Qt::green));
    // Changing the first field after the second counts too.
    QTest::keyClicks(parts.newEdit, QStringLiteral("er"));
    EXPECT_EQ(parts.retypeBackground(), QColor(Qt::red));

    // Ok with the two fields differing closes and keeps the old password.
    parts.ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(protection.password(), QStringLiteral("old"));
}

TEST_F(ProtectDialogTest, EmptyNewPasswordsLeaveTheProtectionAsItIs)
{
    Protection protection(QStringLiteral("old"));
    protection.validatePassword(QStringLiteral("old"));
    ProtectDialog dialog(protection, nullptr);
    Parts parts(dialog);

    EXPECT_EQ(parts.retypeBackground(), QColor(Qt::red));
    parts.ok->click();
    EXPECT_EQ(protection.password(), QStringLiteral("old"));
}

TEST_F(ProtectDialogTest, ProtectedProjectUnlocksOnlyWithTheRightPassword)
{
    Protection protection(QStringLiteral("secret"));
    ProtectDialog dialog(protection, nullptr);
    Parts parts(dialog);
    ASSERT_NO_FATAL_FAILURE(show(dialog));

    const QString locked =
        QStringLiteral("The project is protected. Enter password to edit protection settings.");
    EXPECT_EQ(parts.status->text(), locked);
    EXPECT_TRUE(parts.password->isEnabled());
    EXPECT_FALSE(parts.group->isEnabled());

    typeInto(parts.password, QStringLiteral("guess"));
    ASSERT_NO_FATAL_FAILURE(leave(parts.password, parts.ok));
    EXPECT_FALSE(protection.passwordValidated());
    EXPECT_EQ(parts.status->text(), locked);
    EXPECT_FALSE(parts.group->isEnabled());
    // A wrong password is not reported in a box of its own.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    typeInto(parts.password, QStringLiteral("secret"));
    ASSERT_NO_FATAL_FAILURE(leave(parts.password, parts.ok));
    EXPECT_TRUE(protection.passwordValidated());
    EXPECT_EQ(parts.status->text(),
              QStringLiteral("The project is protected. Password already successfully entered."));
    EXPECT_FALSE(parts.password->isEnabled());
    EXPECT_TRUE(parts.group->isEnabled());
    EXPECT_EQ(protection.password(), QStringLiteral("secret"));
}

TEST_F(ProtectDialogTest, ReturnInThePasswordFieldUnlocksWithoutClosingTheDialog)
{
    Protection protection(QStringLiteral("secret"));
    ProtectDialog dialog(protection, nullptr);
    Parts parts(dialog);
    ASSERT_NO_FATAL_FAILURE(show(dialog));

    parts.password->setFocus();
    QTest::keyClicks(parts.password, QStringLiteral("secret"));
    QTest::keyClick(parts.password, Qt::Key_Return);
    EXPECT_TRUE(protection.passwordValidated());
    EXPECT_TRUE(parts.group->isEnabled());
    EXPECT_TRUE(dialog.isVisible());

    // Return in the new fields is the usual Ok.
    typeInto(parts.newEdit, QStringLiteral("better"));
    typeInto(parts.retype, QStringLiteral("better"));
    QTest::keyClick(parts.retype, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(protection.password(), QStringLiteral("better"));
}

TEST_F(ProtectDialogTest, RemovingTheProtectionTakesEffectAtOnceEvenWithoutOk)
{
    Protection protection(QStringLiteral("secret"));
    protection.validatePassword(QStringLiteral("secret"));
    ProtectDialog dialog(protection, nullptr);
    Parts parts(dialog);

    typeInto(parts.newEdit, QStringLiteral("other"));
    typeInto(parts.retype, QStringLiteral("other"));
    parts.remove->click();
    EXPECT_TRUE(protection.password().isEmpty());
    EXPECT_TRUE(parts.newEdit->text().isEmpty());
    EXPECT_TRUE(parts.retype->text().isEmpty());
    EXPECT_EQ(parts.retypeBackground(), QColor(Qt::red));
    EXPECT_EQ(parts.status->text(), QStringLiteral("The project is unprotected."));

    dialog.reject();
    EXPECT_TRUE(protection.password().isEmpty());
}

} // namespace
