#include <kirolab/interpreter/ConfigFile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Each test runs in a fresh working directory with a fresh configuration.
class ConfigFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        _previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(_dir.path()));
    }

    void TearDown() override { QDir::setCurrent(_previousDir); }

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
        _config.read(_programDir);
        return ::testing::internal::GetCapturedStderr();
    }

    void expectDefaults()
    {
        EXPECT_EQ(_config.schemaDir(), _programDir + "/../schema");
        EXPECT_EQ(_config.configDir(), _programDir + "/../config");
        EXPECT_EQ(_config.unitsDir(), _programDir + "/../units");
        EXPECT_EQ(_config.devicesDir(), _programDir + "/../devices");
        EXPECT_EQ(_config.userDir(), _programDir + "/../user");
    }

    const std::string _programDir = "/opt/tavview/bin";
    QTemporaryDir _dir;
    QString _previousDir;
    kirolab::interpreter::ConfigFile _config;
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
    EXPECT_EQ(_config.configDir(), "/c");
    EXPECT_EQ(_config.devicesDir(), "/a;/b");
    EXPECT_EQ(_config.schemaDir(), "/s");
    EXPECT_EQ(_config.unitsDir(), "/u1;/u2");
    EXPECT_EQ(_config.userDir(), "/home/me/user");
}

TEST_F(ConfigFile, missingKeysStayEmpty)
{
    writeIni("[General]\nconfigdir=/only/config\n");
    EXPECT_EQ(parse(), "");
    EXPECT_EQ(_config.configDir(), "/only/config");
    EXPECT_EQ(_config.schemaDir(), "");
    EXPECT_EQ(_config.unitsDir(), "");
    EXPECT_EQ(_config.devicesDir(), "");
    EXPECT_EQ(_config.userDir(), "");
}

TEST_F(ConfigFile, anyFaultDiscardsTheWholeFile)
{
    const QByteArray broken[] = {
        "[General]\nconfigdir=/c\nnosuchkey=1\n",  // unknown key
        "[General]\nconfigdir=/c\n[Other]\nx=1\n", // unknown section
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
