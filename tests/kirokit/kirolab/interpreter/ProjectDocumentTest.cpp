#include <kirolab/interpreter/ProjectDocument.h>

#include "../../kirogen/model/ProjectTestSupport.h"

#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kirolab::interpreter::ProjectDocument;

namespace {

// A project read while it is validated beside must fail and succeed exactly as a validated read.
class ProjectDocumentTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { projecttest::loadSystem(); }

    std::string write(const QString& name, const QString& body)
    {
        const QString path = QDir(_dir.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="project.xsd">
)" + body.toUtf8());
        return path.toStdString();
    }

    // What reading and building gave: the error text, or empty.
    static std::string outcome(ProjectDocument (*read)(const std::string&), const std::string& path)
    {
        try {
            read(path).createProject();
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }

    QTemporaryDir _dir;
};

TEST_F(ProjectDocumentTest, FailsAsAValidatedRead)
{
    // Invalid on line 3, malformed at the end: the validation's error is the one to report.
    const std::string undeclaredThenCut =
        write("cut.tkp2", "<globalVariables><variable name=\"a\" type=\"int\" colour=\"red\"/>\n"
                          "</globalVariables>\n<programs>");
    // Valid for the schema, refused by the model.
    const std::string unknownVariable = write("unknown.tkp2", R"(<globalVariables/>
<programs>
  <sfc name="Main"><step name="Run" initial="true" diagram="d"/></sfc>
  <fbd name="d"><block id="r" type="gvread"><parameter name="variable" value="missing"/></block></fbd>
</programs>
</project>
)");
    for (const std::string& path : {undeclaredThenCut, unknownVariable}) {
        SCOPED_TRACE(path);
        const std::string validated = outcome(&ProjectDocument::read, path);
        EXPECT_FALSE(validated.empty());
        EXPECT_EQ(outcome(&ProjectDocument::readWhileValidating, path), validated);
    }
    EXPECT_NE(outcome(&ProjectDocument::readWhileValidating, undeclaredThenCut).find(":3:"),
              std::string::npos);
}

// The schema trims a padded number, which the model refuses as written.
TEST_F(ProjectDocumentTest, BuildsWhatTheSchemaNormalises)
{
    const std::string path = write(
        "padded.tkp2", R"(<globalVariables><variable name="a" type="double" value="0"/></globalVariables>
<programs>
  <sfc name="Main"><step name="Run" initial=" true " diagram="d"/></sfc>
  <fbd name="d"><block id="r" type="gvread" x=" 2.5 "><parameter name="variable" value="a"/></block></fbd>
</programs>
</project>
)");
    const auto project = ProjectDocument::readWhileValidating(path).createProject();
    ASSERT_TRUE(project);
    EXPECT_EQ(project->diagram("d")->blocks().front().position.x, 2.5);
}

} // namespace
