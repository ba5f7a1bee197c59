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
    QFont font(QStringLiteral("Arial"));
    font.setWeight(63);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(197, 260, QObject::tr("Version %1").arg(buildText()));
    return picture;
}

} // namespace tavview
