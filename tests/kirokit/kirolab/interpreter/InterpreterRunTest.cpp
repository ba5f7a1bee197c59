#include "LoopbackServer.h"
#include "ProcessResult.h"
#include "RunningProcess.h"

#include <util/GzipWriter.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using testsupport::LoopbackServer;
using testsupport::RunningProcess;

namespace {

const QString Examples = QStringLiteral(TAVVIEW_BUILD_DIR "/examples");

const QString Preamble = QStringLiteral("TavikView Interpreter Version 3.3.1\n\n"
                                        "Loading types...       done.\n"
                                        "Loading actor types... done.\n"
                                        "Loading devices...     done.\n\n");

// A counter program: each cycle a := a + 1 and b := a; "untouched" is never written.
const char* const CountingProgram = R"(
  <programs>
    <sfc name="Main">
      <step name="Run" initial="true" diagram="count"/>
    </sfc>
    <fbd name="count">
      <block id="readA" type="gvread"><parameter name="variable" value="a"/></block>
      <block id="one" type="const"><parameter name="type" value="double"/><parameter name="value" value="1"/></block>
      <block id="sum" type="add"/>
      <block id="writeA" type="gvwrite"><parameter name="variable" value="a"/></block>
      <block id="writeB" type="gvwrite"><parameter name="variable" value="b"/></block>
      <link from="readA" fromPort="out" to="sum" toPort="a"/>
      <link from="one" fromPort="out" to="sum" toPort="b"/>
      <link from="sum" fromPort="out" to="writeA" toPort="in"/>
      <link from="sum" fromPort="out" to="writeB" toPort="in"/>
    </fbd>
  </programs>)";

const char* const CountingVariables = R"(
  <globalVariables>
    <variable name="b" type="double" value="0"/>
    <variable name="a" type="double" value="0"/>
    <variable name="untouched" type="double" value="7"/>
    <variable name="flag" type="bool" value="false"/>
  </globalVariables>)";

QString robotDevice(const QString& name, int port)
{
    return QStringLiteral(R"(
    <device name="%1" type="LUM GmbH Tavik">
      <parameter name="ipAddress" value="127.0.0.1"/>
      <parameter name="port" value="%2"/>
    </device>)")
        .arg(name)
        .arg(port);
}

QByteArray projectXml(const QString& variables, const QString& devices, const QString& programs)
{
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" version="1" xsi:noNamespaceSchemaLocation="project.xsd">%1
  <devices>%2
  </devices>%3
</project>
)")
        .arg(variables, devices, programs)
        .toUtf8();
}

// The variable lines of an output, in order, as (name, value).
QList<QPair<QString, QString>> variableLines(const QString& out)
{
    QList<QPair<QString, QString>> lines;
    static const QRegularExpression pattern(QStringLiteral("^## (.*);;(.*) ##$"),
                                            QRegularExpression::MultilineOption);
    auto it = pattern.globalMatch(out);
    while (it.hasNext()) {
        const auto match = it.next();
        lines.append({match.captured(1), match.captured(2)});
    }
    return lines;
}

QString withoutVariableLines(QString out)
{
    static const QRegularExpression pattern(QStringLiteral("^## .* ##\n"),
                                            QRegularExpression::MultilineOption);
    return out.remove(pattern);
}

class InterpreterRun : public ::testing::Test
{
protected:
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", _dir.path());
        return environment;
    }

    QString write(const QString& name, const QByteArray& content)
    {
        const QString path = QDir(_dir.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    std::unique_ptr<RunningProcess> start(const QStringList& arguments)
    {
        auto process =
            std::make_unique<RunningProcess>(QStringLiteral(TAVVIEW_INTERPRETER), arguments, environment());
        EXPECT_TRUE(process->started());
        return process;
    }

    testsupport::ProcessResult runToEnd(const QStringList& arguments)
    {
        return testsupport::runProcess(QStringLiteral(TAVVIEW_INTERPRETER), arguments, environment());
    }

    // Starts a project, waits until its program runs, then presses Ctrl+C.
    std::unique_ptr<RunningProcess> runUntilInterrupted(const QStringList& arguments, const QString& waitFor)
    {
        auto process = start(arguments);
        EXPECT_TRUE(process->waitForOutput(waitFor))
            << process->out().toStdString() << process->err().toStdString();
        process->interrupt();
        EXPECT_TRUE(process->waitForExit());
        return process;
    }

    QTemporaryDir _dir;
};

} // namespace

TEST_F(InterpreterRun, progressOfARunEndedByCtrlC)
{
    const QString project = Examples + "/counter.tkp2";
    auto run = runUntilInterrupted({"-f", project}, "Starting program... done.\n");
    EXPECT_EQ(run->exitCode(), 1);
    EXPECT_EQ(run->out(), Preamble + "Loading project \"" + project +
                              "\"... done.\n\n"
                              "\n"
                              "Successfully connected to all devices.\n\n"
                              "Starting program... done.\n"
                              "Ctrl + C has been hit. Program will be terminated.\n"
                              "Terminating program... done.\n"
                              "Disconnecting devices... done.\n");
}

TEST_F(InterpreterRun, variableLinesHoldTheNewestValueOfUpdatedVariablesInNameOrder)
{
    const QString project = write("count.tkp2", projectXml(CountingVariables, "", CountingProgram));
    auto run = runUntilInterrupted({"--global-variable-output-interval", "100", "-f", project}, "## b;;");
    EXPECT_EQ(run->exitCode(), 1);

    const auto lines = variableLines(run->out());
    ASSERT_GE(lines.size(), 2);
    double previousA = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const auto& [name, value] = lines[i];
        ASSERT_TRUE(name == "a" || name == "b") << name.toStdString() << " was never written";
        if (name == "a") {
            // One line per tick, each newer than the one before; b follows with the same value.
            EXPECT_GT(value.toDouble(), previousA);
            previousA = value.toDouble();
            ASSERT_LT(i + 1, lines.size());
            EXPECT_EQ(lines[i + 1].first, "b");
            EXPECT_EQ(lines[i + 1].second, value);
        } else {
            ASSERT_GT(i, 0);
            EXPECT_EQ(lines[i - 1].first, "a");
        }
    }
    // Variable lines come only between the start and the end of the run.
    const QString out = run->out();
    EXPECT_GT(out.indexOf("## a;;"), out.indexOf("Starting program... done.\n"));
    EXPECT_EQ(withoutVariableLines(out).count("\n## "), 0);
}

TEST_F(InterpreterRun, intervalZeroPrintsNoVariableLine)
{
    const QString project = write("count.tkp2", projectXml(CountingVariables, "", CountingProgram));
    auto process = start({"--global-variable-output-interval", "0", "-f", project});
    ASSERT_TRUE(process->waitForOutput("Starting program... done.\n"));
    // Give the program many cycles by waiting for a later, unrelated event: a second process
    // that starts, finds this one running and ends.
    const auto second = runToEnd({"-f", project});
    EXPECT_EQ(second.exitCode, 1);
    process->interrupt();
    ASSERT_TRUE(process->waitForExit());
    EXPECT_TRUE(variableLines(process->out()).isEmpty()) << process->out().toStdString();
}

TEST_F(InterpreterRun, setWritesGlobalsThatFitAndReportsThoseThatDoNot)
{
    const QString project = write("count.tkp2", projectXml(CountingVariables, "", CountingProgram));
    auto run = runUntilInterrupted({"--global-variable-output-interval", "50", "--set", "a=1000", "flag=true",
                                    "untouched=abc", "nosuch=1", "-f", project},
                                   "## b;;");
    const QString out = run->out();
    EXPECT_TRUE(out.contains("Loading project \"" + project +
                             "\"... done.\n\n"
                             "Writing global variable a of type double\n"
                             "Writing global variable flag of type bool\n"
                             "Writing global variable untouched of type double\n"
                             "\nSuccessfully connected"))
        << out.toStdString();
    EXPECT_FALSE(out.contains("nosuch"));
    EXPECT_EQ(run->err().count("Error writing global variable. Wrong value.\n"), 1);

    // The program counts on from the value given on the command line.
    const auto lines = variableLines(out);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first().first, "a");
    EXPECT_GT(lines.first().second.toDouble(), 1000);
    // The refused value left the variable alone: it was never written, so never printed.
    EXPECT_FALSE(out.contains("## untouched;;"));
}

TEST_F(InterpreterRun, compressedProjectsAreReadThroughGzip)
{
    const QByteArray xml = projectXml(CountingVariables, "", CountingProgram);
    const QString compressed = write("count.tkpx", util::GzipWriter::compress(xml));
    auto run = runUntilInterrupted({"-f", compressed}, "Starting program... done.\n");
    EXPECT_EQ(run->exitCode(), 1);

    // Only a lower-case ".tkp2" is plain text: anything else must be gzip data.
    for (const QString& name : {QStringLiteral("plain.tkpx"), QStringLiteral("upper.TKP2")}) {
        const QString path = write(name, xml);
        const auto result = runToEnd({"-f", path});
        EXPECT_EQ(result.exitCode, 0) << name.toStdString();
        EXPECT_EQ(result.out, Preamble + "Loading project \"" + path + "\"...Error uncompressing file " +
                                  path + "\n failed!\n")
            << name.toStdString();
    }
}

TEST_F(InterpreterRun, brokenProjectsEndLoadingWithStatusZero)
{
    const QString truncated =
        write("truncated.tkpx",
              util::GzipWriter::compress(projectXml(CountingVariables, "", CountingProgram)).left(40));
    const auto gz = runToEnd({"-f", truncated});
    EXPECT_EQ(gz.exitCode, 0);
    EXPECT_TRUE(gz.out.endsWith("Error uncompressing file " + truncated + "\n failed!\n"))
        << gz.out.toStdString();

    const QString malformed = write("malformed.tkp2", "<project><globalVariables>");
    const auto xml = runToEnd({"-f", malformed});
    EXPECT_EQ(xml.exitCode, 0);
    EXPECT_TRUE(xml.out.contains("Loading project \"" + malformed + "\"... failed: "))
        << xml.out.toStdString();
    EXPECT_TRUE(xml.out.contains("malformed.tkp2:")) << "the error names the file";

    const auto missing = runToEnd({"-f", QDir(_dir.path()).filePath("missing.tkp2")});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_TRUE(missing.out.contains("... failed")) << missing.out.toStdString();
}

// A file that never ends is read no further than the limit of any project, with a clear message.
TEST_F(InterpreterRun, aProjectFileThatNeverEndsIsReadOnlyToTheLimit)
{
    const auto compressed = runToEnd({"-f", "/dev/zero"});
    EXPECT_EQ(compressed.exitCode, 0);
    EXPECT_EQ(compressed.out,
              Preamble + "Loading project \"/dev/zero\"...Error uncompressing file /dev/zero\n failed!\n");
    EXPECT_TRUE(compressed.err.contains("/dev/zero: not gzip data\n")) << compressed.err.toStdString();

    const QString endless = QDir(_dir.path()).filePath("endless.tkp2");
    ASSERT_TRUE(QFile::link("/dev/zero", endless));
    const auto plain = runToEnd({"-f", endless});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, Preamble + "Loading project \"" + endless + "\"... failed: " + endless +
                             ":0:0: the file is larger than the limit of 268435456 bytes\n");
}

// The program moves to its own folder before it reads the project: a relative path still
// names the file where the user started it, and is printed as given.
TEST_F(InterpreterRun, aRelativeProjectPathIsFoundWhereTheProgramWasStarted)
{
    write("nochart.tkp2", projectXml(CountingVariables, "", "<programs><fbd name=\"lonely\"/></programs>"));
    ASSERT_TRUE(QDir(_dir.path()).mkpath("sub"));
    for (const QString& name : {QStringLiteral("nochart.tkp2"), QStringLiteral("sub/../nochart.tkp2")}) {
        const auto result = testsupport::runProcess(QStringLiteral(TAVVIEW_INTERPRETER), {"-f", name},
                                                    environment(), _dir.path());
        EXPECT_EQ(result.exitCode, 1) << name.toStdString();
        EXPECT_TRUE(result.err.contains("New working directory: "))
            << "the program stayed where it was started";
        EXPECT_TRUE(result.out.contains("Loading project \"" + name + "\"... done.\n"))
            << result.out.toStdString();
    }
}

TEST_F(InterpreterRun, secondCtrlCPrintsNothingMore)
{
    const QString project = write("count.tkp2", projectXml(CountingVariables, "", CountingProgram));
    auto process = start({"-f", project});
    ASSERT_TRUE(process->waitForOutput("Starting program... done.\n"));
    process->interrupt();
    process->interrupt();
    ASSERT_TRUE(process->waitForExit());
    EXPECT_EQ(process->exitCode(), 1);
    EXPECT_EQ(process->out().count("Ctrl + C has been hit. Program will be terminated.\n"), 1);
    EXPECT_TRUE(process->out().endsWith("Terminating program... done.\nDisconnecting devices... done.\n"));
}

// A dropped shell connection (hang-up) and a plain kill end the run like Ctrl+C: the program
// is terminated and the devices are let go before the process ends.
TEST_F(InterpreterRun, hangUpAndTerminationEndTheRunLikeCtrlC)
{
    const QString project = write("count.tkp2", projectXml(CountingVariables, "", CountingProgram));
    for (const int signal : {SIGHUP, SIGTERM}) {
        auto process = start({"-f", project});
        ASSERT_TRUE(process->waitForOutput("Starting program... done.\n")) << process->out().toStdString();
        process->sendSignal(signal);
        ASSERT_TRUE(process->waitForExit()) << "signal " << signal;
        EXPECT_FALSE(process->crashed()) << "signal " << signal;
        EXPECT_EQ(process->exitCode(), 1) << "signal " << signal;
        EXPECT_EQ(process->out().count("Ctrl + C has been hit. Program will be terminated.\n"), 1);
        EXPECT_TRUE(process->out().endsWith("Terminating program... done.\nDisconnecting devices... done.\n"))
            << "signal " << signal << ": " << process->out().toStdString();
    }
}

TEST_F(InterpreterRun, secondInstanceEndsAtOnceWithoutOutput)
{
    const QString project = write("count.tkp2", projectXml(CountingVariables, "", CountingProgram));
    auto first = start({"-f", project});
    ASSERT_TRUE(first->waitForOutput("Starting program... done.\n"));
    const auto second = runToEnd({"-f", project});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.out, "");
    first->interrupt();
    EXPECT_TRUE(first->waitForExit());
}

TEST_F(InterpreterRun, deviceThatClosesEndsTheRun)
{
    LoopbackServer robot;
    const QString project = write(
        "robot.tkp2", projectXml(CountingVariables, robotDevice("tavik", robot.port()), CountingProgram));
    auto process = start({"-f", project});
    ASSERT_TRUE(process->waitForOutput("Starting program... done.\n")) << process->out().toStdString();
    ASSERT_TRUE(robot.accept());
    robot.closeClient();
    ASSERT_TRUE(process->waitForExit());
    EXPECT_EQ(process->exitCode(), 1);
    EXPECT_TRUE(process->out().contains("Connecting to device \"tavik\"... done.\n"));
    EXPECT_TRUE(process->out().endsWith("Starting program... done.\n"
                                        "A device has been disconnected. Program will be terminated.\n"
                                        "Terminating program... done.\n"
                                        "Disconnecting devices... done.\n"))
        << process->out().toStdString();
}

TEST_F(InterpreterRun, refusedDeviceFailsTheRunAfterTryingTheOthers)
{
    LoopbackServer second;
    const QString devices =
        robotDevice("first", LoopbackServer::refusingPort()) + robotDevice("second", second.port());
    const QString project = write("two.tkp2", projectXml(CountingVariables, devices, CountingProgram));
    const auto result = runToEnd({"-f", project});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.endsWith("Connecting to device \"first\"... failed.\n"
                                    "Connecting to device \"second\"... done.\n"
                                    "\n"
                                    "Error: could not connect to all devices! Program will not run.\n"
                                    "Disconnecting devices... done.\n"))
        << result.out.toStdString();
    EXPECT_TRUE(second.accept(std::chrono::milliseconds(0))) << "the second device was tried";
}

TEST_F(InterpreterRun, deviceConfigValuesAreCheckedAgainstTheirType)
{
    LoopbackServer robot;
    const QString project = write(
        "robot.tkp2", projectXml(CountingVariables, robotDevice("tavik", robot.port()), CountingProgram));
    auto run = runUntilInterrupted({"--set", "tavik:disableDriveSystem=maybe", "other:x=1", "-f", project},
                                   "Starting program... done.\n");
    EXPECT_TRUE(run->err().contains("Set device tavik config variable disableDriveSystem = maybe\n"));
    EXPECT_TRUE(run->err().contains("Error writing device config variable. Wrong value.\n"
                                    "disableDriveSystem:disableDriveSystem\n"))
        << run->err().toStdString();
}

TEST_F(InterpreterRun, projectWithoutSequenceChartEndsCleanly)
{
    const char* const onlyDiagram = R"(
  <programs>
    <fbd name="lonely"/>
  </programs>)";
    const QString project = write("nochart.tkp2", projectXml(CountingVariables, "", onlyDiagram));
    const auto result = runToEnd({"-f", project});
    EXPECT_FALSE(result.crashed);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.endsWith("Starting program... failed: the project has no sequence chart to run.\n"
                                    "Disconnecting devices... done.\n"))
        << result.out.toStdString();
}

namespace {

// The project is read while the registries load; a registry that cannot load ends the start-up
// once the read is over, before the XML parser shuts down.
TEST_F(InterpreterRun, aRegistryThatCannotLoadEndsTheStartWhileTheProjectIsRead)
{
    const QDir dir(_dir.path());
    ASSERT_TRUE(dir.mkpath("inst/bin") && dir.mkpath("config"));
    // A copy in a folder named bin works in that folder, where its ini file lies.
    const QString program = dir.filePath("inst/bin/tavview_interpreter");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVVIEW_INTERPRETER), program));
    write("config/types.xml", "<types>");
    const QString build = QStringLiteral(TAVVIEW_BUILD_DIR);
    write("inst/bin/tavview2.ini",
          QStringLiteral("[General]\nconfigdir=%1\nschemadir=%2/schema\nunitsdir=%2/units\n"
                         "devicesdir=%2/devices\nuserdir=%3\n")
              .arg(dir.filePath("config"), build, dir.filePath("user"))
              .toUtf8());
    // Large enough to be still in the reading when the types fail.
    QString variables =
        QStringLiteral(R"(<variable name="a" type="double"/><variable name="b" type="double"/>)");
    for (int i = 0; i < 20000; ++i)
        variables += QStringLiteral("<variable name=\"v%1\" type=\"int\" value=\"%1\"/>\n").arg(i);
    const QString project =
        write("large.tkp2",
              projectXml("<globalVariables>" + variables + "</globalVariables>", "", CountingProgram));

    const auto result = testsupport::runProcess(program, {"-f", project}, environment());
    EXPECT_FALSE(result.crashed);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.contains("Loading types... failed: ")) << result.out.toStdString();
    EXPECT_FALSE(result.out.contains("Loading project")) << result.out.toStdString();
}

} // namespace

namespace {

// The tree of a project is built while the schema check runs beside it: the schema still
// decides, both where it refuses what the model would take and where it normalises a value the
// model would refuse as written.
TEST_F(InterpreterRun, theSchemaDecidesWhatLoads)
{
    QString undeclared = QString::fromUtf8(projectXml(CountingVariables, "", CountingProgram));
    undeclared.replace(R"(<variable name="untouched")", R"(<variable colour="red" name="untouched")");
    const QString refused = write("undeclared.tkp2", undeclared.toUtf8());
    const auto result = runToEnd({"-f", refused});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.contains("Loading project \"" + refused + "\"... failed: " + refused + ":"))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("colour")) << result.out.toStdString();
    EXPECT_FALSE(result.out.contains("Successfully connected")) << result.out.toStdString();

    QString padded = QString::fromUtf8(projectXml(CountingVariables, "", CountingProgram));
    padded.replace(R"(<block id="sum" type="add"/>)", R"(<block id="sum" type="add" x=" 2.5 " y="
        4"/>)");
    const QString normalised = write("padded.tkp2", padded.toUtf8());
    const auto run = runUntilInterrupted({"-f", normalised}, "Starting program... done.");
    EXPECT_TRUE(run->out().contains("Loading project \"" + normalised + "\"... done."))
        << run->out().toStdString();
}

} // namespace
