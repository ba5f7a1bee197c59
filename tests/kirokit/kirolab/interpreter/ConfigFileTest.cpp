#include <kirolab/interpreter/Interpreter.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kirolab::interpreter::Interpreter;

namespace {

// Each test runs in a fresh working directory with a fresh interpreter.
class ConfigFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        _previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(_dir.path()));
        Interpreter::singleton_create();
    }

    void TearDown() override
    {
        Interpreter::singleton_destroy();
        QDir::setCurrent(_previousDir);
    }

    void writeIni(const QByteArray& text)
    {
        QFile file(QDir(_dir.path()).filePath("tavview2.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Parses and returns what went to standard error.
    std::string parse()
    {
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(Interpreter::singleton().parseConfigFile(&_userDir));
        return ::testing::internal::GetCapturedStderr();
    }

    void expectDefaults()
    {
        const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
        const Interpreter& interpreter = Interpreter::singleton();
        EXPECT_EQ(interpreter.schemaDir(), programDir + "/../schema");
        EXPECT_EQ(interpreter.configDir(), programDir + "/../config");
        EXPECT_EQ(interpreter.unitsDir(), programDir + "/../units");
        EXPECT_EQ(interpreter.devicesDir(), programDir + "/../devices");
        EXPECT_EQ(_userDir, programDir + "/../user");
    }

    QTemporaryDir _dir;
    QString _previousDir;
    std::string _userDir;
};

const std::string Unreadable = "Could not read ini file! Setting default paths.\n";

} // namespace

TEST_F(ConfigFile, missingFileGivesDefaultsSilently)
{
    EXPECT_EQ(parse(), "");
    expectDefaults();
}

TEST_F(ConfigFile, effectiveKeysAreReadAndQuotesRemoved)
{
    writeIni("[General]\n"
             "configdir=/c\n"
             "devicesdir=\"/a;/b\"\n"
             "schemadir=\"/s\"\n"
             "unitsdir=/u1;/u2\n"
             "userdir=/home/me/\"user\"\n"
             "helpdir=/ignored\n"
             "qtplugindir=/ignored\n");
    EXPECT_EQ(parse(), "");
    const Interpreter& interpreter = Interpreter::singleton();
    EXPECT_EQ(interpreter.configDir(), "/c");
    EXPECT_EQ(interpreter.devicesDir(), "/a;/b");
    EXPECT_EQ(interpreter.schemaDir(), "/s");
    EXPECT_EQ(interpreter.unitsDir(), "/u1;/u2");
    EXPECT_EQ(_userDir, "/home/me/user");
}

TEST_F(ConfigFile, missingKeysStayEmpty)
{
    writeIni("[General]\nconfigdir=/only/config\n");
    EXPECT_EQ(parse(), "");
    const Interpreter& interpreter = Interpreter::singleton();
    EXPECT_EQ(interpreter.configDir(), "/only/config");
    EXPECT_EQ(interpreter.schemaDir(), "");
    EXPECT_EQ(interpreter.unitsDir(), "");
    EXPECT_EQ(interpreter.devicesDir(), "");
    EXPECT_EQ(_userDir, "");
}

TEST_F(ConfigFile, anyFaultDiscardsTheWholeFile)
{
    const QByteArray broken[] = {
        "[General]\nconfigdir=/c\nnosuchkey=1\n",   // unknown key
        "[General]\nconfigdir=/c\n[Other]\nx=1\n",  // unknown section
        "[General]\nconfigdir=/c\nthis is not a key value line\n",
        "[General\nconfigdir=/c\n",
    };
    for (const QByteArray& text : broken) {
        writeIni(text);
        EXPECT_EQ(parse(), Unreadable) << text.constData();
        expectDefaults();
    }
}

TEST_F(ConfigFile, unreadableFileGivesDefaults)
{
    ASSERT_TRUE(QDir(_dir.path()).mkdir("tavview2.ini"));
    EXPECT_EQ(parse(), Unreadable);
    expectDefaults();
}
