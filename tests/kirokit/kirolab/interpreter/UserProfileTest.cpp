#include <kirolab/interpreter/UserProfile.h>

#include "ProcessResult.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kirolab::interpreter::copyRec;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class ProfileCopy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeFile(src("README"), "readme");
        writeFile(src("examples/counter.tkp2"), "counter");
        writeFile(src("examples/deep/more/x.txt"), "x");
        writeFile(src(".hidden"), "hidden");
        QDir(_src.path()).mkpath("empty");
    }

    void copy()
    {
        QDir from(_src.path());
        QDir to(_dst.path());
        copyRec(from, to);
        EXPECT_EQ(QDir(from).canonicalPath(), QDir(_src.path()).canonicalPath())
            << "src must end where it began";
        EXPECT_EQ(QDir(to).canonicalPath(), QDir(_dst.path()).canonicalPath())
            << "dst must end where it began";
    }

    QString src(const QString& relative) const { return QDir(_src.path()).filePath(relative); }
    QString dst(const QString& relative) const { return QDir(_dst.path()).filePath(relative); }

    QTemporaryDir _src;
    QTemporaryDir _dst;
};

} // namespace

TEST_F(ProfileCopy, copiesTheWholeTreeButHiddenEntries)
{
    copy();
    EXPECT_EQ(readFile(dst("README")), "readme");
    EXPECT_EQ(readFile(dst("examples/counter.tkp2")), "counter");
    EXPECT_EQ(readFile(dst("examples/deep/more/x.txt")), "x");
    EXPECT_TRUE(QFileInfo(dst("empty")).isDir());
    EXPECT_FALSE(QFileInfo::exists(dst(".hidden")));
}

TEST_F(ProfileCopy, secondCopyOnlyAddsWhatIsMissing)
{
    copy();
    writeFile(dst("README"), "edited by the user");
    QFile::remove(dst("examples/counter.tkp2"));
    writeFile(src("examples/new.tkp2"), "new");

    copy();
    EXPECT_EQ(readFile(dst("README")), "edited by the user");
    EXPECT_EQ(readFile(dst("examples/counter.tkp2")), "counter");
    EXPECT_EQ(readFile(dst("examples/new.tkp2")), "new");
}

TEST_F(ProfileCopy, skipsFoldersItCannotCreateAndGoesOn)
{
    writeFile(dst("examples"), "a file where the folder should be");
    ::testing::internal::CaptureStderr();
    copy();
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("examples"), std::string::npos) << warnings;
    EXPECT_EQ(readFile(dst("examples")), "a file where the folder should be");
    EXPECT_EQ(readFile(dst("README")), "readme");
}

TEST_F(ProfileCopy, linkBackUpTheTreeEndsTheWalk)
{
    ASSERT_TRUE(QFile::link(_src.path(), src("examples/loop")));
    ::testing::internal::CaptureStderr();
    copy();
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("loop"), std::string::npos) << warnings;
    EXPECT_FALSE(QFileInfo::exists(dst("examples/loop")));
    EXPECT_EQ(readFile(dst("examples/deep/more/x.txt")), "x");
}

// The program fills the profile below $HOME from the installation's user folder at each start.
TEST(UserProfile, programFillsTheProfileBelowHome)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    const QString profile = QDir(home.path()).filePath("Brennic/TavikView3");

    const auto first = testsupport::runProcess(QStringLiteral(TAVVIEW_INTERPRETER),
                                               {"-f", QDir(home.path()).filePath("none.tkp2")}, environment);
    EXPECT_FALSE(first.crashed);
    ASSERT_TRUE(QFileInfo(profile).isDir());

    const QDir user(QStringLiteral(TAVVIEW_BUILD_DIR "/user"));
    for (const QString& name : user.entryList(QDir::Files))
        EXPECT_TRUE(QFileInfo::exists(QDir(profile).filePath(name))) << name.toStdString();
}

TEST(UserProfile, homeWhereNoProfileCanBeMadeIsNoError)
{
    QTemporaryDir dir;
    const QString home = QDir(dir.path()).filePath("home-is-a-file");
    writeFile(home, "not a folder");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    const auto result =
        testsupport::runProcess(QStringLiteral(TAVVIEW_INTERPRETER), {"-f", "none.tkp2"}, environment);
    EXPECT_FALSE(result.crashed);
    EXPECT_TRUE(result.out.startsWith("TavikView Interpreter Version 3.3.1\n\n"));
}
