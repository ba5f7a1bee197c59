#include <tavview/Brand.h>
#include <tavview/WebLinks.h>
#include <QPixmap>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

class BrandTest : public testing::Test
{
protected:
    void TearDown() override { QSettings().remove(QStringLiteral("forming")); }

    static void setForming(const QString& value) { QSettings().setValue(QStringLiteral("forming"), value); }
};

TEST_F(BrandTest, WithoutAFormingSettingTheWorkbenchIsTavikViewWithTheDistributorsLogo)
{
    const tavview::Brand brand = tavview::Brand::fromSettings();
    EXPECT_EQ(brand.applicationName(), QString::fromUtf8("TAVIK ® View 3.3.1"));
    EXPECT_EQ(brand.link(), tavview::WebLinks::distributorProductPage());
    EXPECT_EQ(QPixmap(brand.logo()).size(), QSize(120, 28));
}

TEST_F(BrandTest, AnyOtherFormingIsTheMakersBrand)
{
    const QPixmap distributorLogo(tavview::Brand(QStringLiteral("TavikView")).logo());
    for (const QString& forming : {QStringLiteral("LUMlink"), QStringLiteral("tavikview"), QString()}) {
        setForming(forming);
        const tavview::Brand brand = tavview::Brand::fromSettings();
        EXPECT_EQ(brand.applicationName(), QString::fromUtf8("LUMlink ® 3.3.1")) << forming.toStdString();
        EXPECT_EQ(brand.link(), tavview::WebLinks::makerHomePage());
        const QPixmap logo(brand.logo());
        EXPECT_FALSE(logo.isNull());
        EXPECT_NE(logo.toImage(), distributorLogo.toImage());
    }
    setForming(QStringLiteral("TavikView"));
    EXPECT_EQ(tavview::Brand::fromSettings().applicationName(), QString::fromUtf8("TAVIK ® View 3.3.1"));
}

TEST(WebLinks, GermanPagesOnlyForGerman)
{
    for (const auto page : {&tavview::WebLinks::productPage, &tavview::WebLinks::simulatorPage}) {
        const QUrl german = page(QStringLiteral("de"));
        EXPECT_TRUE(german.isValid());
        EXPECT_EQ(german.scheme(), QStringLiteral("https"));
        EXPECT_NE(german, page(QStringLiteral("en")));
        EXPECT_EQ(page(QStringLiteral("en")), page(QStringLiteral("fr")));
        EXPECT_EQ(page(QStringLiteral("en")), page(QString()));
    }
    EXPECT_NE(tavview::WebLinks::productPage(QStringLiteral("de")),
              tavview::WebLinks::simulatorPage(QStringLiteral("de")));
}

} // namespace
