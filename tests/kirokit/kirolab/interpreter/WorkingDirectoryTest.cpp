#include <kirolab/interpreter/WorkingDirectory.h>

#include "ProcessResult.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kirolab::interpreter::workingDirectoryFor;

TEST(WorkingDirectory, followsTheProgramDirectoryCaseInsensitively)
{
    EXPECT_EQ(workingDirectoryFor("/opt/tv/bin"), "/opt/tv/bin");
    EXPECT_EQ(workingDirectoryFor("/opt/tv/BIN"), "/opt/tv/BIN");
    EXPECT_EQ(workingDirectoryFor("/opt/robin"), "/opt/robin"); // a suffix test, as installed layouts use
    EXPECT_EQ(workingDirectoryFor("/src/target"), "/src/target/../tavview3");
    EXPECT_EQ(workingDirectoryFor("/src/Target"), "/src/Target/../tavview3");
    EXPECT_EQ(workingDirectoryFor("/src/target/Release"), "/src/target/Release/../../tavview3");
    EXPECT_EQ(workingDirectoryFor("/src/target/debug"), "/src/target/debug/../../tavview3");
    EXPECT_EQ(workingDirectoryFor("/src/target/MinSizeRel"), "/src/target/MinSizeRel/../../tavview3");
    EXPECT_EQ(workingDirectoryFor("/src/target/relwithdebinfo"), "/src/target/relwithdebinfo/../../tavview3");
    EXPECT_EQ(workingDirectoryFor("/src/target/other"), QString());
    EXPECT_EQ(workingDirectoryFor("/usr/lib/tavview"), QString());
}

// The program moves to its working directory before anything else, so a copy of the binary in
// a folder of the right name shows the rule as a process.
TEST(WorkingDirectory, programChangesDirectoryWhereItIsInstalled)
{
    QTemporaryDir root;
    struct Case
    {
        QString programDir;
        QString expected; // empty: no change
    };
    const Case cases[] = {
        {"inst/bin", "inst/bin"},   {"inst/BIN", "inst/BIN"}, {"a/target/Release", "a/tavview3"},
        {"b/target", "b/tavview3"}, {"elsewhere", QString()},
    };
    for (const Case& c : cases) {
        const QDir base(root.path());
        ASSERT_TRUE(base.mkpath(c.programDir));
        if (!c.expected.isEmpty()) {
            ASSERT_TRUE(base.mkpath(c.expected));
        }
        const QString program = QDir(base.filePath(c.programDir)).filePath("tavview_interpreter");
        QFile::remove(program);
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVVIEW_INTERPRETER), program));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", root.path());
        const auto result = testsupport::runProcess(program, {"--version"}, environment, root.path());
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains("Initial working directory: " + root.path()));
        if (c.expected.isEmpty()) {
            EXPECT_FALSE(result.err.contains("New working directory: ")) << c.programDir.toStdString();
        } else {
            const int at = result.err.indexOf("New working directory: ");
            ASSERT_GE(at, 0) << c.programDir.toStdString();
            const QString reported = result.err.mid(at).section('\n', 0, 0).mid(23);
            EXPECT_EQ(QDir(reported).canonicalPath(), QDir(base.filePath(c.expected)).canonicalPath())
                << c.programDir.toStdString();
        }
    }
}

// An installation starts the program through a link in /usr/bin: the program works in its real
// folder and loads the registries beside it, not beside the link.
TEST(WorkingDirectory, programStartedThroughALinkUsesItsRealFolder)
{
    QTemporaryDir root;
    const QDir base(root.path());
    ASSERT_TRUE(base.mkpath("links"));
    const QString link = base.filePath("links/tavview_interpreter");
    ASSERT_TRUE(QFile::link(QStringLiteral(TAVVIEW_INTERPRETER), link));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", root.path());
    const auto result =
        testsupport::runProcess(link, {"-f", base.filePath("missing.tkp2")}, environment, root.path());

    const int at = result.err.indexOf("New working directory: ");
    ASSERT_GE(at, 0) << result.err.toStdString();
    const QString reported = result.err.mid(at).section('\n', 0, 0).mid(23);
    EXPECT_EQ(QDir(reported).canonicalPath(), QFileInfo(QStringLiteral(TAVVIEW_INTERPRETER)).canonicalPath());
    EXPECT_TRUE(result.out.contains("Loading types...       done.\n"
                                    "Loading actor types... done.\n"
                                    "Loading devices...     done.\n"))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("Loading project \"" + base.filePath("missing.tkp2") + "\"... failed"))
        << result.out.toStdString();
    EXPECT_EQ(result.exitCode, 0);
}
