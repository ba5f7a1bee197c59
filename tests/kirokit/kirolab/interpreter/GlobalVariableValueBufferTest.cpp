#include <kirolab/interpreter/GlobalVariableValueBuffer.h>

#include "../../kirogen/model/ProjectTestSupport.h"

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/sim/session/ExecutionSession.h>
#include <lum/core/Variant.h>

#include <gtest/gtest.h>

#include <sstream>

using kirolab::interpreter::GlobalVariableValueBuffer;
using lum::core::variant::Variant;

namespace {

class ValueBuffer : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { projecttest::loadSystem(); }

    void SetUp() override
    {
        _project = projecttest::fromText(R"(<?xml version="1.0" encoding="UTF-8"?>
<project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" version="1" xsi:noNamespaceSchemaLocation="project.xsd">
  <globalVariables>
    <variable name="b" type="double" value="0"/>
    <variable name="a" type="double" value="0"/>
    <variable name="x" type="int" value="0"/>
  </globalVariables>
</project>)",
                                         "buffer.tkp2");
        _session = std::make_shared<kirogen::sim::session::ExecutionSession>(_project);
    }

    void write(const std::string& name, const Variant& value)
    {
        _project->globalVariable(name)->write(value);
    }

    // One tick of the output thread: poll, then print what changed.
    std::string tick(GlobalVariableValueBuffer& buffer)
    {
        _session->pollHistory();
        std::ostringstream out;
        out << buffer;
        return out.str();
    }

    std::shared_ptr<kirogen::model::Project> _project;
    std::shared_ptr<kirogen::sim::session::ExecutionSession> _session;
};

} // namespace

TEST_F(ValueBuffer, printsOnlyUpdatedVariablesInNameOrderWithTheirNewestValue)
{
    GlobalVariableValueBuffer buffer(_project);
    EXPECT_EQ(tick(buffer), "");

    write("b", Variant(1.5));
    write("a", Variant(1.0));
    write("a", Variant(2.0));
    EXPECT_EQ(tick(buffer), "## a;;2 ##\n## b;;1.5 ##\n");

    // Nothing new since the last tick: nothing printed.
    EXPECT_EQ(tick(buffer), "");

    write("x", Variant(5));
    EXPECT_EQ(tick(buffer), "## x;;5 ##\n");
}

TEST_F(ValueBuffer, toStringShowsEveryEntryWithoutClearing)
{
    GlobalVariableValueBuffer buffer(_project);
    write("a", Variant(3.0));
    _session->pollHistory();
    EXPECT_EQ(buffer.toString(), "## a;;3 ##\n## b;; ##\n## x;; ##\n");
    EXPECT_EQ(buffer.toString(), "## a;;3 ##\n## b;; ##\n## x;; ##\n");
    std::ostringstream out;
    out << buffer;
    EXPECT_EQ(out.str(), "## a;;3 ##\n");
}

TEST_F(ValueBuffer, ignoresOtherRolesAndSources)
{
    GlobalVariableValueBuffer buffer(_project);
    const auto a = _project->globalVariable("a");
    a->write(Variant(7.0));
    const Variant buffers = Variant::fromValue(std::make_pair(a->historyBuffer(), a->propertyBuffer()));

    buffer.on_notify(kirogen::observer::DataRole(5), a.get(), buffers);
    kirogen::observer::Observable stranger;
    buffer.on_notify(kirogen::observer::DataRole::GlobalVariableUpdated, &stranger, buffers);
    buffer.on_notify(kirogen::observer::DataRole::GlobalVariableUpdated, a.get(), Variant(1));
    std::ostringstream out;
    out << buffer;
    EXPECT_EQ(out.str(), "");
}
