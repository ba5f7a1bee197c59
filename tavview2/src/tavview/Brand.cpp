#include <kirolab/Version.h>
#include <tavview/Brand.h>
#include <tavview/WebLinks.h>
#include <QSettings>

namespace tavview {

namespace {

const QString TavikView = QStringLiteral("TavikView");

} // namespace

Brand Brand::fromSettings()
{
    return Brand(QSettings().value(QStringLiteral("forming"), TavikView).toString());
}

Brand::Brand(const QString& forming) : _tavikView(forming == TavikView)
{
}

QString Brand::applicationName() const
{
    const QString pattern =
        _tavikView ? QStringLiteral("TAVIK \u00AE View %1.%2.%3") : QStringLiteral("LUMlink \u00AE %1.%2.%3");
    return pattern.arg(kirolab::VersionMajor).arg(kirolab::VersionMinor).arg(kirolab::VersionPatch);
}

QString Brand::logo() const
{
    return _tavikView ? QStringLiteral(":/images/toolbar/brennic.png")
                      : QStringLiteral(":/images/toolbar/lum.png");
}

QUrl Brand::link() const
{
    return _tavikView ? WebLinks::distributorProductPage() : WebLinks::makerHomePage();
}

} // namespace tavview
