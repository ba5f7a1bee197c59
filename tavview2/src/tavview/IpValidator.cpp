#include <tavview/IpValidator.h>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QRegularExpression>

IpValidator::IpValidator(QObject* parent) : QValidator(parent)
{
}

QValidator::State IpValidator::validate(QString& input, int&) const
{
    // Unicode white space too: a no-break space pasted with an address is no address.
    static const QRegularExpression whiteSpace(QStringLiteral("\\s"),
                                               QRegularExpression::UseUnicodePropertiesOption);
    return input.contains(whiteSpace) ? Intermediate : Acceptable;
}

void validateIp(QLineEdit* line)
{
    QPalette palette = line->palette();
    palette.setColor(QPalette::Active, QPalette::Base,
                     line->hasAcceptableInput() ? QColor(Qt::white) : QColor(255, 128, 128, 255));
    line->setPalette(palette);
}
