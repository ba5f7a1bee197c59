#include "tavview/Startup.h"

#include <kirogen/sdf/ActorFactory.h>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Walks the arguments as the program does, answering its boxes from a timer armed before.
struct Walk
{
    bool goesOn;
    tavview::startup::CommandLine result;
    QStringList boxes;
};

Walk walk(const QStringList& arguments)
{
    Walk walked;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            walked.boxes << box->windowTitle() + "|" + box->text();
            box->accept();
        }
    });
    answer.start(20);
    walked.goesOn = tavview::startup::parseCommandLine(arguments, walked.result);
    return walked;
}

} // namespace

TEST(Startup, CommandLineTakesTheLastExistingProjectAndRefusesMissingOnesAndALoneAutostart)
{
    QTemporaryDir dir;
    const QString first = dir.filePath("first.tkp2");
    const QString second = dir.filePath("second.tkpx");
    writeFile(first, "");
    writeFile(second, "");
    writeFile(dir.filePath("upper.TKP2"), "");

    Walk walked = walk({"/usr/bin/tavview", first, "--unknown", second, dir.filePath("upper.TKP2")});
    EXPECT_TRUE(walked.goesOn);
    EXPECT_EQ(walked.result.projectPath, second);
    EXPECT_FALSE(walked.result.autoStart);
    EXPECT_TRUE(walked.boxes.isEmpty());

    walked = walk({"/usr/bin/tavview", "/autostart", first});
    EXPECT_TRUE(walked.goesOn);
    EXPECT_TRUE(walked.result.autoStart);
    EXPECT_EQ(walked.result.projectPath, first);

    // A missing project ends the walk with its own box; the usage box is not shown as well.
    walked = walk({"/usr/bin/tavview", "/autostart", "gone.tkp2", first});
    EXPECT_FALSE(walked.goesOn);
    EXPECT_EQ(walked.boxes,
              QStringList({QCoreApplication::applicationName() + " startup error|Project file\n\n"
                                                                 "gone.tkp2\n\ngiven at the command "
                                                                 "line does not exist."}));

    walked = walk({"/usr/bin/tavview", "/autostart", dir.filePath("upper.TKP2")});
    EXPECT_FALSE(walked.goesOn);
    EXPECT_EQ(walked.boxes,
              QStringList({QCoreApplication::applicationName() + " command line arguments|" +
                           QCoreApplication::applicationName() +
                           " 3.3.1\n\nUsage: \ntavview3 [OPTIONS] [PROJECT] \n\nOptions:\n"
                           "/autostart      Only in conjunction with a valid tkp2 project file\n"
                           "                Connect all devices. Then start the main program.\n"}));
}

TEST(Startup, TheLibrariesStartWithTheVisionAndNavigationBlocks)
{
    // The palette offers these from the installation's units; the simulation needs them made.
    const kirogen::sdf::ActorFactory& blocks = kirogen::sdf::ActorFactory::singleton();
    EXPECT_NE(blocks.find("threshold"), nullptr);
    EXPECT_NE(blocks.find("distance"), nullptr);
}

TEST(Startup, WorkingDirectoryFollowsInstallationsAndDevelopmentTrees)
{
    using tavview::startup::workingDirectoryFor;
    EXPECT_EQ(workingDirectoryFor("/opt/tavview3/bin"), "/opt/tavview3/bin");
    EXPECT_EQ(workingDirectoryFor("/opt/tavview3/BIN"), "/opt/tavview3/BIN");
    EXPECT_EQ(workingDirectoryFor("/src/target"), "/src/target/../tavview2");
    EXPECT_EQ(workingDirectoryFor("/src/Target/Release"), "/src/Target/Release/../../tavview2");
    EXPECT_EQ(workingDirectoryFor("/src/target/relwithdebinfo"), "/src/target/relwithdebinfo/../../tavview2");
    EXPECT_EQ(workingDirectoryFor("/src/target/MinSizeRel"), "/src/target/MinSizeRel/../../tavview2");
    EXPECT_EQ(workingDirectoryFor("/home/pupil/programs"), QString());
}

TEST(Startup, ReadIniTakesTheFilesKeysOrTheDefaultsBesideTheProgram)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("tavview2.ini");
    writeFile(ini, "[General]\npackages_dir=/p/\npkgtools=/p/tools.tar\n");
    tavview::startup::readIni(ini);
    QSettings settings;
    EXPECT_EQ(settings.value("packages_dir").toString(), "/p/");
    EXPECT_EQ(settings.value("pkgtools").toString(), "/p/tools.tar");
    // A key the file lacks is stored empty, without a default.
    EXPECT_TRUE(settings.contains("userdir"));
    EXPECT_FALSE(settings.value("userdir").isValid());

    tavview::startup::readIni(dir.filePath("missing.ini"));
    const QString program = QCoreApplication::applicationDirPath();
    EXPECT_EQ(settings.value("packages_dir").toString(), program + "/../packages/");
    EXPECT_EQ(settings.value("pkgtools").toString(), program + "/../packages/pkgtools.tar");
    EXPECT_EQ(settings.value("userdir").toString(), program + "/../user");
}

TEST(Startup, UserProfileGainsWhatIsNewAndKeepsTheUsersChanges)
{
    QTemporaryDir user;
    QDir(user.path()).mkpath("samples");
    writeFile(user.filePath("samples/a.tkp2"), "original a");
    writeFile(user.filePath("b.txt"), "original b");
    QSettings().setValue("userdir", user.path());

    const QString profile = QDir::home().filePath("Brennic/TavikView3");
    QDir(profile).removeRecursively();
    tavview::startup::initUserProfile();
    EXPECT_EQ(readFile(profile + "/samples/a.tkp2"), "original a");
    EXPECT_EQ(readFile(profile + "/b.txt"), "original b");

    writeFile(profile + "/b.txt", "changed by the user");
    writeFile(user.filePath("samples/c.tkp2"), "new c");
    tavview::startup::initUserProfile();
    EXPECT_EQ(readFile(profile + "/b.txt"), "changed by the user");
    EXPECT_EQ(readFile(profile + "/samples/c.tkp2"), "new c");
}
