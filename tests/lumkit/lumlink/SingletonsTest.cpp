#include "KitFixture.h"

#include <kirogen/Singletons.h>
#include <lumlink/Installation.h>
#include <lumlink/Singletons.h>
#include <util/XmlString.h>
#include <QSettings>

namespace {

class LoadingLog : public kirogen::observer::Observer
{
public:
    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable*,
                   const lum::core::variant::Variant& value) override
    {
        bool ok = false;
        const auto file = value.get<util::XmlString>(&ok);
        if (role == kirogen::observer::DataRole::LoadingProgress && ok)
            files.append(QString::fromStdString(file.toStdString()));
    }
    QStringList files;
};

} // namespace

using SingletonsTest = KitFixture;

TEST_F(SingletonsTest, IniFoldersAreReadLikeTheInterpretersAndDefaultBesideBin)
{
    lumlink::Installation& installation = lumlink::Installation::singleton();
    lumlink::readIni(path("none.ini"));
    EXPECT_EQ(installation.configDir(), QCoreApplication::applicationDirPath() + "/../config");
    EXPECT_EQ(installation.helpDir(), QCoreApplication::applicationDirPath() + "/../help");

    QFile ini(path("tavview2.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[General]\nconfigdir=\"" TAVVIEW_DIST_DIR "/config\"\nunitsdir=" TAVVIEW_DIST_DIR
              "/units\nforming=TavikView\nhelpdir=/opt/help\n");
    ini.close();
    lumlink::readIni(ini.fileName());
    EXPECT_EQ(installation.configDir(), TAVVIEW_DIST_DIR "/config");
    EXPECT_EQ(installation.unitsDir(), TAVVIEW_DIST_DIR "/units");
    EXPECT_EQ(installation.helpDir(), "/opt/help");
    EXPECT_EQ(installation.devicesDir(), QCoreApplication::applicationDirPath() + "/../devices");

    // Written to the user's store, never beside the program.
    lumlink::writeIni();
    EXPECT_EQ(QSettings().value("lumlink/helpdir").toString(), "/opt/help");

    // A key the interpreter does not know makes the file unreadable: defaults, and a warning.
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[General]\nhelpdir=/opt/help\nnonsense=1\n");
    ini.close();
    lumlink::readIni(ini.fileName());
    EXPECT_EQ(installation.helpDir(), QCoreApplication::applicationDirPath() + "/../help");
    EXPECT_TRUE(logged("tavview2.ini"));
}

TEST_F(SingletonsTest, LoadingTellsTheObserverEveryFileBeforeItIsRead)
{
    // Two actor files of their own (actor types load once per process), the shipped types.
    QFile logic(TAVVIEW_DIST_DIR "/units/logic.xml");
    ASSERT_TRUE(logic.open(QIODevice::ReadOnly));
    const QByteArray declarations = logic.readAll();
    QDir(_dir.path()).mkdir("units");
    for (const char* name : {"first", "second"}) {
        QFile file(path(QStringLiteral("units/%1.xml").arg(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(declarations).replace("<actor id=\"", QByteArray("<actor id=\"") + name + "_"));
    }
    QFile ini(path("tavview2.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[General]\nconfigdir=" TAVVIEW_DIST_DIR "/config\nunitsdir=" + path("units").toUtf8() + "\n");
    ini.close();
    lumlink::readIni(ini.fileName());

    LoadingLog observer;
    lumlink::singletons_init(&observer);
    lumlink::loadSystem(lumlink::DataAndActorTypes);
    kirogen::singletons_init(nullptr, "UTF-8");
    EXPECT_EQ(observer.files, (QStringList{TAVVIEW_DIST_DIR "/config/types.xml", path("units/first.xml"),
                                           path("units/second.xml")}));
    EXPECT_NE(kirogen::sdf::ActorTypeRegistry::singleton().get("second_and"), nullptr);
}
