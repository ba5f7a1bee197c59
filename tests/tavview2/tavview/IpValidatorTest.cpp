#include <tavview/IpValidator.h>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(IpValidator, anythingWithoutWhiteSpaceIsAcceptable)
{
    IpValidator validator;
    int position = 0;
    for (QString text : QStringList{"10.0.0.5", "", "robot.local:8080", "fe80::1"}) {
        EXPECT_EQ(validator.validate(text, position), QValidator::Acceptable) << text.toStdString();
    }
    for (QString text :
         QStringList{"10.0.0. 5", " 10.0.0.5", "10.0.0.5\t", "a\nb", QStringLiteral("10.0.0.5\u00a0")}) {
        EXPECT_EQ(validator.validate(text, position), QValidator::Intermediate) << text.toStdString();
    }
}

// The line's background follows what it holds, whatever it held before.
TEST(IpValidator, lineShowsUnacceptableInputInRed)
{
    QLineEdit line;
    line.setValidator(new IpValidator(&line));
    line.setText(QStringLiteral("10.0 .0.5"));
    validateIp(&line);
    EXPECT_EQ(line.palette().color(QPalette::Active, QPalette::Base), QColor(255, 128, 128, 255));
    line.setText(QStringLiteral("10.0.0.5"));
    validateIp(&line);
    EXPECT_EQ(line.palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
}
