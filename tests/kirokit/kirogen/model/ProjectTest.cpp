#include "ProjectTestSupport.h"

#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/SfcModel.h>
#include <util/GzipReader.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kirogen::model;
using lum::core::variant::Variant;

namespace {

// Content equality of two projects: everything a save must keep.
void expectSameModel(const Project& a, const Project& b)
{
    ASSERT_EQ(a.globalVariables().size(), b.globalVariables().size());
    for (const auto& [name, variable] : a.globalVariables()) {
        const auto other = b.globalVariable(name);
        ASSERT_TRUE(other) << name;
        EXPECT_EQ(variable->typeName(), other->typeName()) << name;
        EXPECT_EQ(variable->initialValue(), other->initialValue()) << name;
    }
    ASSERT_EQ(a.sfcModels().size(), b.sfcModels().size());
    for (std::size_t i = 0; i < a.sfcModels().size(); ++i) {
        EXPECT_EQ(a.sfcModels()[i]->name(), b.sfcModels()[i]->name());
        EXPECT_EQ(a.sfcModels()[i]->steps(), b.sfcModels()[i]->steps());
        EXPECT_EQ(a.sfcModels()[i]->transitions(), b.sfcModels()[i]->transitions());
    }
    ASSERT_EQ(a.diagrams().size(), b.diagrams().size());
    for (const auto& [name, diagram] : a.diagrams()) {
        const auto other = b.diagram(name);
        ASSERT_TRUE(other) << name;
        EXPECT_EQ(diagram->blocks(), other->blocks()) << name;
        EXPECT_EQ(diagram->links(), other->links()) << name;
    }
    ASSERT_EQ(a.devices().size(), b.devices().size());
    for (std::size_t i = 0; i < a.devices().size(); ++i) {
        const auto& device = *a.devices()[i];
        const auto& other = *b.devices()[i];
        EXPECT_EQ(device.instanceName(), other.instanceName());
        EXPECT_EQ(device.deviceType(), other.deviceType());
        for (const auto& parameter : device.deviceType()->parameters())
            EXPECT_EQ(device.parameter(parameter.name), other.parameter(parameter.name)) << parameter.name;
        ASSERT_EQ(device.configVariables().size(), other.configVariables().size());
        for (std::size_t j = 0; j < device.configVariables().size(); ++j)
            EXPECT_EQ(device.configVariables()[j]->value(), other.configVariables()[j]->value());
    }
    EXPECT_EQ(a.layout(), b.layout());
    EXPECT_EQ(a.protection(), b.protection());
}

class ProjectTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { projecttest::loadSystem(); }
};

TEST_F(ProjectTest, CounterExampleLoads)
{
    const auto project = projecttest::fromFile(TAVVIEW_DIST_DIR "/examples/counter.tkp2");
    EXPECT_EQ(project->sourceName(), TAVVIEW_DIST_DIR "/examples/counter.tkp2");

    std::vector<std::string> names;
    for (const auto& entry : project->globalVariables())
        names.emplace_back(entry.first);
    EXPECT_EQ(names, (std::vector<std::string>{"big", "counter", "half", "increment"}));
    EXPECT_EQ(project->globalVariable("increment")->value(), Variant(1.0));
    EXPECT_EQ(project->globalVariable("big")->typeName(), "bool");

    ASSERT_EQ(project->sfcModels().size(), 1u);
    const SfcModel& main = *project->sfcModels().front();
    EXPECT_EQ(main.name(), "Main");
    ASSERT_NE(main.initialStep(), nullptr);
    EXPECT_EQ(main.initialStep()->diagram, "count");
    EXPECT_EQ(main.initialStep()->position, (Position{120, 40}));

    const auto count = project->diagram("count");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->blocks().size(), 10u);
    EXPECT_EQ(count->links().size(), 9u);
    const FunctionBlock* two = count->block("two");
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->parameters.at("value"), "2");
    EXPECT_EQ(two->line, 28);
    EXPECT_EQ(count->links().front().line, 44);
    EXPECT_EQ(project->layout(), (EditorLayout{{"Main", "count"}, "Main"}));
    EXPECT_FALSE(project->protection().isProtected());
}

TEST_F(ProjectTest, EveryExampleSurvivesARoundTrip)
{
    const QStringList examples =
        QDir(TAVVIEW_DIST_DIR "/examples").entryList({"*.tkp2"}, QDir::Files, QDir::Name);
    EXPECT_EQ(examples, (QStringList{"counter.tkp2", "robot.tkp2", "traffic.tkp2", "wallfollow.tkp2"}));
    for (const QString& name : examples) {
        SCOPED_TRACE(name.toStdString());
        const auto original = projecttest::fromFile(TAVVIEW_DIST_DIR "/examples/" + name.toStdString());
        const std::string saved = original->toXml();
        const auto reloaded = projecttest::fromText(saved, "saved.tkp2");
        expectSameModel(*original, *reloaded);
        EXPECT_EQ(reloaded->toXml(), saved);

        // The compressed form holds the same bytes.
        QByteArray inflated;
        std::string error;
        const std::string tkpx = TAVVIEW_BUILD_DIR "/examples/" + name.chopped(1).toStdString() + "x";
        ASSERT_TRUE(util::GzipReader().readFile(tkpx, &inflated, &error)) << error;
        QFile plain(TAVVIEW_DIST_DIR "/examples/" + name);
        ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
        EXPECT_EQ(inflated, plain.readAll());
        expectSameModel(*original, *projecttest::fromText(inflated.toStdString(), tkpx));
    }
}

// The interpreter builds a project from the unvalidated tree while the schema check runs
// beside: what the schema adds (default values) or leaves out (white space between elements)
// must not change the project.
TEST_F(ProjectTest, AnUnvalidatedTreeBuildsTheSameProject)
{
    for (const char* name : {"counter.tkp2", "robot.tkp2", "traffic.tkp2", "wallfollow.tkp2"}) {
        SCOPED_TRACE(name);
        QFile file(QStringLiteral(TAVVIEW_DIST_DIR "/examples/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        // Left out, the defaulted attributes come only from the schema.
        text.remove(QRegularExpression(R"( (x|y)="[^"]*"| initial="false"| version="1")"));
        const std::string xml = text.toStdString();
        const auto validated = projecttest::fromText(xml, name);
        const auto unvalidated = projecttest::fromText(xml, name, false);
        expectSameModel(*validated, *unvalidated);
        EXPECT_EQ(validated->toXml(), unvalidated->toXml());
    }
}

// Saving follows the same name rule as reading: anything but ".tkp2" is written as gzip.
TEST_F(ProjectTest, SavingUnderACompressedNameWritesGzip)
{
    const auto original = projecttest::fromFile(TAVVIEW_DIST_DIR "/examples/robot.tkp2");
    QTemporaryDir dir;
    std::string error;
    const std::string path = dir.filePath("robot.tkpx").toStdString();
    ASSERT_TRUE(original->save(path, &error)) << error;
    QByteArray inflated;
    ASSERT_TRUE(util::GzipReader().readFile(path, &inflated, &error)) << error;
    EXPECT_EQ(inflated.toStdString(), original->toXml());
}

TEST_F(ProjectTest, RobotExampleHasItsDevice)
{
    const auto project = projecttest::fromFile(TAVVIEW_DIST_DIR "/examples/robot.tkp2");
    ASSERT_EQ(project->devices().size(), 1u);
    const auto tavik = project->device("tavik");
    ASSERT_TRUE(tavik);
    EXPECT_EQ(tavik, project->devices().front());
    EXPECT_EQ(tavik->deviceType()->xmlId(), "LUM GmbH Tavik");
    EXPECT_EQ(tavik->parameter("ipAddress"), Variant("127.0.0.1"));
    EXPECT_EQ(tavik->project(), project);
    EXPECT_FALSE(project->device("other"));

    // What a device holds when the project is saved is what the saved file gives back.
    ASSERT_TRUE(tavik->setParameter("port", Variant(7272)));
    tavik->configVariable("disableDriveSystem")->write(Variant(true));
    const auto reloaded = projecttest::fromText(project->toXml(), "saved.tkp2");
    EXPECT_EQ(reloaded->device("tavik")->parameter("port"), Variant(7272));
    EXPECT_EQ(reloaded->device("tavik")->configVariable("disableDriveSystem")->value(), Variant(true));
}

TEST_F(ProjectTest, SavingKeepsLayoutAndProtectionButNeverThePassword)
{
    auto project = projecttest::fromFile(TAVVIEW_DIST_DIR "/examples/traffic.tkp2");
    project->setLayout(EditorLayout{{"showGreen", "TrafficLight", "countCycle"}, "countCycle"});
    project->protection().setPassword("s3cret-Passw0rd");

    QTemporaryDir dir;
    const std::string path = dir.filePath("p.tkp2").toStdString();
    std::string error;
    ASSERT_TRUE(project->save(path, &error)) << error;
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("s3cret"));

    const auto reloaded = projecttest::fromFile(path);
    expectSameModel(*project, *reloaded);
    EXPECT_TRUE(reloaded->protection().check("s3cret-Passw0rd"));
    EXPECT_FALSE(reloaded->protection().check("s3cret-passw0rd"));

    // A failed save leaves the previous file whole.
    project->protection().clear();
    EXPECT_FALSE(project->save(dir.filePath("missing/p.tkp2").toStdString(), &error));
    EXPECT_TRUE(projecttest::fromFile(path)->protection().isProtected());

    // So does a value XML cannot hold: the save fails and says why, nothing is thrown.
    const auto variable = project->globalVariables().begin()->second;
    variable->setInitialValue(Variant(std::string("bell\x07")));
    error.clear();
    EXPECT_FALSE(project->save(path, &error));
    EXPECT_NE(error.find("U+0007"), std::string::npos) << error;
    EXPECT_TRUE(projecttest::fromFile(path)->protection().isProtected());
}

TEST_F(ProjectTest, OneSessionServesSeveralProjects)
{
    const auto session = kirogen::gen::session::SerializationIdSession::create();
    const util::xml::DocumentPtr doc =
        util::XmlSerializer().load(TAVVIEW_DIST_DIR "/examples/counter.tkp2", true);
    const auto first = Project::create(doc->root(), session, util::XTime());
    const auto second = Project::create(doc->root(), session, util::XTime());
    EXPECT_NE(first->id(), second->id());
    EXPECT_EQ(second->session(), session);
    EXPECT_FALSE(session->claim(second->id().toString() + "/fbd/count", "sum"));
    EXPECT_EQ(session->newId(second->id().toString() + "/fbd/count", "sum"), "sum11");
}

TEST_F(ProjectTest, ProtectionUsesAFreshSaltEachTime)
{
    Protection first;
    Protection second;
    first.setPassword("pw");
    second.setPassword("pw");
    EXPECT_NE(first.salt(), second.salt());
    EXPECT_NE(first.hash(), second.hash());
    EXPECT_TRUE(first.check("pw") && second.check("pw"));
    first.setPassword("");
    EXPECT_FALSE(first.isProtected());
    EXPECT_TRUE(first.check("anything"));
    EXPECT_FALSE(first.restore(QByteArray(3, 'x'), QByteArray(32, 'y')));
}

// The stored key is PBKDF2-HMAC-SHA256 with 100,000 iterations, as any other tool computes it.
TEST_F(ProjectTest, ProtectionKeyIsStandardPbkdf2)
{
    QByteArray salt;
    for (char byte = 0; byte < 16; ++byte)
        salt.append(byte);
    Protection protection;
    ASSERT_TRUE(protection.restore(
        salt, QByteArray::fromHex("37dea5fbad18663c178ef06f11ecadcdb990fa7a1852bd160c88e74f019a0bb8")));
    EXPECT_TRUE(protection.check("tavik"));
    EXPECT_FALSE(protection.check("Tavik"));
}

} // namespace
