#include <tavview/SplashBackground.h>
#include <tavview/SplashScreen.h>
#include <util/XmlString.h>

namespace tavview {

SplashScreen::SplashScreen() : QSplashScreen(QPixmap())
{
    translate();
    // Automatic: direct on the GUI thread, queued from a loading thread, so the widget is
    // only ever touched on the GUI thread.
    connect(this, &SplashScreen::loaded, this, &SplashScreen::on_loaded);
}

void SplashScreen::on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable*,
                             const lum::core::variant::Variant& value)
{
    if (role != kirogen::observer::DataRole::LoadingProgress)
        return;
    emit loaded(value.get<util::XmlString>().toQString());
}

void SplashScreen::translate()
{
    setPixmap(splashBackground());
}

void SplashScreen::on_loaded(const QString& what)
{
    // showMessage repaints at once, so the line advances before the event loop runs.
    showMessage(tr("Loading %1").arg(what), Qt::AlignBottom | Qt::AlignLeft, Qt::black);
}

} // namespace tavview
