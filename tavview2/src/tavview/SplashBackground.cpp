#include <tavview/BuildText.h>
#include <tavview/SplashBackground.h>
#include <QFont>
#include <QObject>
#include <QPainter>

namespace tavview {

QPixmap splashBackground()
{
    QPixmap picture(QStringLiteral(":/images/splashscreen.png"));
    QPainter painter(&picture);
    // No one family is sure to be installed: ask for the sans-serif face the system's font
    // configuration names (DejaVu Sans on Debian), with the hint for systems without that alias.
    QFont font(QStringLiteral("sans-serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::DemiBold);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(197, 260, QObject::tr("Version %1").arg(buildText()));
    return picture;
}

} // namespace tavview
