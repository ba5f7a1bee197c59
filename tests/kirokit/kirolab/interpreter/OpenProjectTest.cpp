#include <kirolab/interpreter/Interpreter.h>

#include "../../kirogen/model/ProjectTestSupport.h"
#include "LoopbackServer.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/Project.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kirolab::interpreter::Interpreter;

namespace {

// Runs the interpreter's own loading in this process, on a project with one robot device whose
// peer is a loopback server, and looks at the device afterwards.
class OpenProject : public ::testing::Test
{
protected:
    // The registries are process-wide: loaded once, as the interpreter's loadSystem does.
    static void SetUpTestSuite() { projecttest::loadSystem(); }

    bool open(const std::string& projectValue, const QStringList& set)
    {
        const QString path = QDir(_dir.path()).filePath("robot.tkp2");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" version="1" xsi:noNamespaceSchemaLocation="project.xsd">
  <devices>
    <device name="tavik" type="LUM GmbH Tavik">
      <parameter name="ipAddress" value="127.0.0.1"/>
      <parameter name="port" value="%1"/>
      <config name="disableDriveSystem" value="%2"/>
    </device>
  </devices>
</project>)")
                       .arg(_robot.port())
                       .arg(QString::fromStdString(projectValue))
                       .toUtf8());
        file.close();

        QList<QByteArray> arguments{"tavview_interpreter"};
        if (!set.isEmpty()) {
            arguments << "--set";
            for (const QString& token : set)
                arguments << token.toUtf8();
        }
        arguments << "-f" << path.toUtf8();
        std::vector<char*> argv;
        for (QByteArray& argument : arguments)
            argv.push_back(argument.data());

        Interpreter::singleton_create();
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const bool parsed =
            Interpreter::singleton().parseCommandLineArguments(static_cast<int>(argv.size()), argv.data());
        const bool opened = parsed && Interpreter::singleton().openProject();
        _out = ::testing::internal::GetCapturedStdout();
        _err = ::testing::internal::GetCapturedStderr();
        return opened;
    }

    void TearDown() override
    {
        ::testing::internal::CaptureStdout();
        Interpreter::singleton().done();
        ::testing::internal::GetCapturedStdout();
        Interpreter::singleton_destroy();
    }

    lum::core::variant::Variant driveDisabled() const
    {
        return Interpreter::singleton()
            .getProject()
            ->device("tavik")
            ->configVariable("disableDriveSystem")
            ->value();
    }

    QTemporaryDir _dir;
    testsupport::LoopbackServer _robot;
    std::string _out;
    std::string _err;
};

} // namespace

TEST_F(OpenProject, robotDriveSystemIsEnabledForARun)
{
    ASSERT_TRUE(open("true", {})) << _out;
    EXPECT_EQ(driveDisabled(), lum::core::variant::Variant(false));
}

TEST_F(OpenProject, setMayStillDisableTheDriveSystem)
{
    ASSERT_TRUE(open("false", {"tavik:disableDriveSystem=true"})) << _out;
    EXPECT_EQ(driveDisabled(), lum::core::variant::Variant(true));
}

TEST_F(OpenProject, wrongDeviceValueLeavesTheForcedValue)
{
    ASSERT_TRUE(open("true", {"tavik:disableDriveSystem=perhaps"})) << _out;
    EXPECT_EQ(driveDisabled(), lum::core::variant::Variant(false));
    EXPECT_NE(_err.find("Error writing device config variable. Wrong value.\n"), std::string::npos) << _err;
}
