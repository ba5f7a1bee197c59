#include <tavview/ShellQuote.h>
#include <tavview/uploader/InterpreterCommand.h>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tavview::shellQuoted;
using tavview::uploader::interpreterCommandLine;

namespace {

// What a real POSIX shell makes of a command line: its output, run in a folder of its own so
// that anything the line might create shows.
QString runInShell(const QString& commandLine, const QString& folder)
{
    QProcess shell;
    shell.setWorkingDirectory(folder);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine});
    if (!shell.waitForFinished(30000))
        return QStringLiteral("<no end>");
    return QString::fromUtf8(shell.readAllStandardOutput());
}

const QStringList hostileNames = {
    QStringLiteral("plain.tkp2"),
    QStringLiteral("with blank.tkp2"),
    QStringLiteral("quote\"s.tkp2"),
    QStringLiteral("it's.tkp2"),
    QStringLiteral("''.tkp2"),
    QStringLiteral("$(touch made-by-subshell).tkp2"),
    QStringLiteral("`touch made-by-backquote`.tkp2"),
    QStringLiteral("a;touch made-by-semicolon;.tkp2"),
    QStringLiteral("${HOME}$HOME\\n*?[a].tkp2"),
    QStringLiteral("x' ; touch made-by-breakout ; echo '.tkp2"),
    QStringLiteral("Überfahrt – Ω.tkp2"),
};

} // namespace

TEST(ShellQuote, shellGivesBackEveryNameExactlyAndRunsNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const QString& name : hostileNames) {
        const QString printed = runInShell(QStringLiteral("printf '%s' ") + shellQuoted(name), folder.path());
        EXPECT_EQ(printed, name);
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty())
        << QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).join(' ').toStdString();
}

// The interpreter's command with sudo and the program replaced by one that prints its
// arguments: the file's path arrives as one argument, unchanged.
TEST(InterpreterCommand, pathReachesTheInterpreterAsOneArgument)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const QString& name : hostileNames) {
        const QString path = QStringLiteral("/home/tavik/dir \"$(x)\"/") + name;
        QString line = interpreterCommandLine(250, path);
        ASSERT_TRUE(line.startsWith(
            QLatin1String("sudo /usr/bin/tavview_interpreter --global-variable-output-interval 250 -f ")))
            << line.toStdString();
        line.replace(QLatin1String("sudo /usr/bin/tavview_interpreter"), QLatin1String("printf '<%s>'"));
        EXPECT_EQ(runInShell(line, folder.path()),
                  QStringLiteral("<--global-variable-output-interval><250><-f><%1>").arg(path));
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(InterpreterCommand, intervalZeroIsPassedAndUnsendablePathsGiveNoCommand)
{
    EXPECT_EQ(interpreterCommandLine(0, QStringLiteral("/home/tavik/a.tkp2")),
              QStringLiteral("sudo /usr/bin/tavview_interpreter --global-variable-output-interval 0 -f "
                             "'/home/tavik/a.tkp2'"));
    // A line end would end the command line inside the quotes.
    EXPECT_TRUE(interpreterCommandLine(500, QStringLiteral("/home/tavik/a\nb.tkp2")).isEmpty());
    EXPECT_TRUE(interpreterCommandLine(500, QStringLiteral("/home/tavik/a\rb.tkp2")).isEmpty());
    EXPECT_TRUE(interpreterCommandLine(500, QString()).isEmpty());
}
