#pragma once

#include <QString>
#include <QUrl>

namespace tavview {

// Every web address the workbench opens or names, in one place.
class WebLinks
{
public:
    // The maker's web domain, the organisation domain of the application.
    static QString makerDomain();
    static QUrl makerHomePage();
    // The distributor's page of the product.
    static QUrl distributorProductPage();
    // The product's and the simulator's pages: the German ones for language "de", otherwise
    // the international ones.
    static QUrl productPage(const QString& language);
    static QUrl simulatorPage(const QString& language);
};

} // namespace tavview
