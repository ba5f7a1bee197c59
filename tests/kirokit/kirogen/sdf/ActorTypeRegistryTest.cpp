#include <kirogen/sdf/ActorTypeRegistry.h>
#include <util/XmlSerializer.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kirogen::sdf::ActorPort;
using kirogen::sdf::ActorTypeRegistry;

namespace {

class ActorTypeRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
        ActorTypeRegistry::singleton().loadActorTypes(TAVVIEW_DIST_DIR "/units");
    }

    std::string write(const QString& subdir, const QString& name, const std::string& actors)
    {
        QDir(_dir.path()).mkpath(subdir);
        const QString path = _dir.filePath(subdir + "/" + name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("<?xml version=\"1.0\"?>\n<units xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                    "xsi:noNamespaceSchemaLocation=\"units.xsd\">\n" +
                    actors + "</units>\n")
                       .c_str());
        return _dir.filePath(subdir).toStdString();
    }

    std::string loadError(const std::string& dir)
    {
        try {
            ActorTypeRegistry::singleton().loadActorTypes(dir);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        ADD_FAILURE() << "accepted " << dir;
        return std::string();
    }

    QTemporaryDir _dir;
};

TEST_F(ActorTypeRegistryTest, ShippedUnitsDeclareEveryBlockWithPortsAndParameters)
{
    const auto& registry = ActorTypeRegistry::singleton();
    for (const char* id : {"const",  "add",     "sub",   "mul",   "div",    "eq",        "ne",      "lt",
                           "le",     "gt",      "ge",    "and",   "or",     "not",       "ton",     "ctu",
                           "gvread", "gvwrite", "delay", "devin", "devout", "threshold", "distance"}) {
        const auto type = registry.get(id);
        ASSERT_TRUE(type) << id;
        EXPECT_FALSE(type->category().empty()) << id;
        EXPECT_FALSE(type->helpText().empty()) << id;
    }

    const auto timer = registry.get("ton");
    ASSERT_TRUE(timer->port("in"));
    EXPECT_EQ(timer->port("in")->direction, ActorPort::In);
    EXPECT_EQ(timer->port("in")->typeName, "bool");
    ASSERT_TRUE(timer->port("et"));
    EXPECT_EQ(timer->port("et")->direction, ActorPort::Out);
    EXPECT_EQ(timer->port("et")->typeName, "double");
    ASSERT_TRUE(timer->parameter("pt"));
    EXPECT_EQ(timer->parameter("pt")->defaultText, "1");
    EXPECT_EQ(timer->port("missing"), nullptr);

    EXPECT_FALSE(registry.get("no-such-block"));
    const auto all = registry.all();
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                               [](const auto& a, const auto& b) { return a->id() < b->id(); }));
}

TEST_F(ActorTypeRegistryTest, ReloadingTheSameDirectoryReplacesItsTypes)
{
    const std::size_t before = ActorTypeRegistry::singleton().all().size();
    ActorTypeRegistry::singleton().loadActorTypes(TAVVIEW_DIST_DIR "/units");
    EXPECT_EQ(ActorTypeRegistry::singleton().all().size(), before);
}

TEST_F(ActorTypeRegistryTest, BadDeclarationsNameFileAndLine)
{
    const std::string clash = write("clash", "mine.xml",
                                    "  <actor id=\"add\" category=\"Mine\">\n    <port name=\"a\" "
                                    "direction=\"in\" type=\"double\"/>\n  </actor>\n");
    std::string error = loadError(clash);
    EXPECT_NE(error.find("mine.xml:3:"), std::string::npos) << error;
    EXPECT_NE(error.find("'add' is already declared"), std::string::npos) << error;
    EXPECT_EQ(ActorTypeRegistry::singleton().get("add")->category(), "Arithmetic");

    error = loadError(write("ports", "twice.xml",
                            "  <actor id=\"twice\" category=\"x\">\n"
                            "    <port name=\"a\" direction=\"in\" type=\"double\"/>\n"
                            "    <port name=\"a\" direction=\"out\" type=\"double\"/>\n  </actor>\n"));
    EXPECT_NE(error.find("twice.xml:5:"), std::string::npos) << error;
    EXPECT_FALSE(ActorTypeRegistry::singleton().get("twice"));

    error = loadError(write("invalid", "bad.xml", "  <actor category=\"x\"/>\n"));
    EXPECT_NE(error.find("bad.xml:3"), std::string::npos) << error;

    error = loadError(write("malformed", "broken.xml", "  <actor id=\"x\" category=\"x\">\n"));
    EXPECT_NE(error.find("broken.xml"), std::string::npos) << error;

    error = loadError(_dir.filePath("absent").toStdString());
    EXPECT_NE(error.find("absent"), std::string::npos) << error;
}

} // namespace
