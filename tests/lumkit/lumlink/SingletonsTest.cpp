#include "KitFixture.h"

#include <kirogen/Singletons.h>
#include <kiroutil/log/Log.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>
#include <lumlink/HelpSystem.h>
#include <lumlink/Installation.h>
#include <lumlink/Singletons.h>
#include <util/XmlString.h>
#include <QSettings>
#include <QSignalSpy>
#include <stdexcept>

namespace {

// The files the loading observer is told, each with the test's actor types that were already
// known when it was told.
class LoadingLog : public kirogen::observer::Observer
{
public:
    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable*,
                   const lum::core::variant::Variant& value) override
    {
        bool ok = false;
        const auto file = value.get<util::XmlString>(&ok);
        if (role != kirogen::observer::DataRole::LoadingProgress || !ok)
            return;
        files.append(QString::fromStdString(file.toStdString()));
        QStringList known;
        for (const char* type : {"first_and", "second_and"}) {
            if (kirogen::sdf::ActorTypeRegistry::singleton().get(type))
                known.append(QString::fromLatin1(type));
        }
        knownWhenTold.append(known.join(','));
    }
    QStringList files;
    QStringList knownWhenTold;
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
    // Two actor files of their own (actor types load once per process), the shipped types and
    // a device type of its own (a type already known may not be loaded again).
    QFile logic(TAVVIEW_DIST_DIR "/units/logic.xml");
    ASSERT_TRUE(logic.open(QIODevice::ReadOnly));
    const QByteArray declarations = logic.readAll();
    QDir(_dir.path()).mkdir("units");
    for (const char* name : {"first", "second"}) {
        QFile file(path(QStringLiteral("units/%1.xml").arg(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(declarations).replace("<actor id=\"", QByteArray("<actor id=\"") + name + "_"));
    }
    QDir(_dir.path()).mkdir("devices");
    QFile device(path("devices/loaded.xml"));
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    device.write(
        "<?xml version=\"1.0\"?>\n<deviceType xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xsi:noNamespaceSchemaLocation=\"device.xsd\" id=\"Test Loaded Device\" name=\"Loaded\">"
        "<description>loaded</description><connection kind=\"simulated\"/></deviceType>\n");
    device.close();
    QFile ini(path("tavview2.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[General]\nconfigdir=" TAVVIEW_DIST_DIR "/config\nunitsdir=" + path("units").toUtf8() +
              "\ndevicesdir=" + path("devices").toUtf8() + "\n");
    ini.close();
    lumlink::readIni(ini.fileName());

    LoadingLog observer;
    lumlink::singletons_init(&observer);
    lumlink::loadSystem(lumlink::DataAndActorTypes | lumlink::DeviceTypes);
    kirogen::singletons_init(nullptr, "UTF-8");
    EXPECT_EQ(observer.files, (QStringList{TAVVIEW_DIST_DIR "/config/types.xml", path("units/first.xml"),
                                           path("units/second.xml"), path("devices/loaded.xml")}));
    // Each file is named while it is read: not before the files ahead of it have been read.
    EXPECT_EQ(observer.knownWhenTold, (QStringList{"", "", "first_and", "first_and,second_and"}));
    EXPECT_NE(kirogen::sdf::ActorTypeRegistry::singleton().get("second_and"), nullptr);
    EXPECT_NE(kirogen::device::model::DeviceTypeRegistry::singleton().getByXmlId("Test Loaded Device"),
              nullptr);
}

TEST_F(SingletonsTest, AFolderOfActorTypesThatCannotBeReadStopsTheStart)
{
    QFile ini(path("tavview2.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[General]\nconfigdir=" TAVVIEW_DIST_DIR "/config\nunitsdir=" + path("missing").toUtf8() +
              "\n");
    ini.close();
    lumlink::readIni(ini.fileName());
    lumlink::singletons_init(nullptr);
    try {
        lumlink::loadSystem(lumlink::DataAndActorTypes);
        ADD_FAILURE() << "a missing actor-type folder was loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(path("missing").toStdString()), std::string::npos)
            << error.what();
    }
}

TEST_F(SingletonsTest, StartUsesTheIniFoldersAndEndClosesTheProjectAndTheRuntimeLog)
{
    // The catalogues are looked for in the translations folder of the ini file only: not in the
    // one beside the program (which the build fills).
    ASSERT_TRUE(QDir(_dir.path()).mkdir("translations"));
    QFile ini(path("tavview2.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[General]\ntranslationsdir=\"" + path("translations").toUtf8() +
              "\"\nhelpdir=" + path("help").toUtf8() + "\n");
    ini.close();
    lumlink::readIni(ini.fileName());
    lumlink::singletons_init(nullptr);
    auto& translations = lum::qt::translation::Manager::singleton();
    QAction* save = lumlink::Actions::singleton().saveAction;
    ASSERT_TRUE(translations.setLanguage(QStringLiteral("de")));
    EXPECT_EQ(save->text(), "&Save");
    ASSERT_TRUE(translations.setLanguage(QStringLiteral("en")));
    for (const QString& catalogue : QDir(TAVVIEW_BUILD_DIR "/translations").entryList({"*.qm"}))
        ASSERT_TRUE(
            QFile::copy(TAVVIEW_BUILD_DIR "/translations/" + catalogue, path("translations/" + catalogue)));
    ASSERT_TRUE(translations.setLanguage(QStringLiteral("de")));
    EXPECT_EQ(save->text(), "&Speichern");
    ASSERT_TRUE(translations.setLanguage(QStringLiteral("en")));
    EXPECT_EQ(lumlink::HelpSystem::singleton().helpDirectory(), path("help"));

    // Until the end the runtime kit's messages reach the message window; the project closes.
    kiroutil::Log::singleton().warning("before the end");
    EXPECT_TRUE(logged("[Warning] before the end"));
    ASSERT_NE(lumlink::project::Manager::singleton().createNewProject(), nullptr);
    qRegisterMetaType<lumlink::project::Project*>();
    QSignalSpy changed(&lumlink::project::Manager::singleton(),
                       &lumlink::project::Manager::activeProjectChanged);
    lumlink::singletons_done();
    EXPECT_EQ(lumlink::project::Manager::singleton().activeProject(), nullptr);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().first().value<lumlink::project::Project*>(), nullptr);
    kiroutil::Log::singleton().warning("after the end");
    EXPECT_FALSE(logged("after the end"));
}
