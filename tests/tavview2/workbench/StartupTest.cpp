#include "tavview/Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
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

} // namespace

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
