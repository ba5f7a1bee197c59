#include <tavview/WebLinks.h>

namespace tavview {

namespace {

bool german(const QString& language)
{
    return language == QLatin1String("de");
}

} // namespace

QString WebLinks::makerDomain()
{
    return QStringLiteral("lum.example");
}

QUrl WebLinks::makerHomePage()
{
    return QUrl(QStringLiteral("https://www.lum.example/"));
}

QUrl WebLinks::distributorProductPage()
{
    return QUrl(QStringLiteral("https://www.brennic.example/tavik/"));
}

QUrl WebLinks::productPage(const QString& language)
{
    return QUrl(german(language) ? QStringLiteral("https://www.brennic.example/de/tavik-view/")
                                 : QStringLiteral("https://www.brennic.example/en/tavik-view/"));
}

QUrl WebLinks::simulatorPage(const QString& language)
{
    return QUrl(german(language) ? QStringLiteral("https://www.brennic.example/de/tavik-simulator/")
                                 : QStringLiteral("https://www.brennic.example/en/tavik-simulator/"));
}

} // namespace tavview
