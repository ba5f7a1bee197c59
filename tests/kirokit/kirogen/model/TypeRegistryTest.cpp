#include <kirogen/model/TypeRegistry.h>
#include <util/XmlSerializer.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kirogen::model::TypeRegistry;
using lum::core::variant::Variant;

namespace {

class TypeRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
    }

    std::string write(const std::string& types)
    {
        const QString path = _dir.filePath("types.xml");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("<?xml version=\"1.0\"?>\n<types xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                    "xsi:noNamespaceSchemaLocation=\"types.xsd\">\n" +
                    types + "</types>\n")
                       .c_str());
        return path.toStdString();
    }

    std::string error(const std::string& types)
    {
        const std::string path = write(types);
        try {
            TypeRegistry::loadTypes(path);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        ADD_FAILURE() << "accepted " << types;
        return std::string();
    }

    QTemporaryDir _dir;
};

TEST_F(TypeRegistryTest, ShippedTypes)
{
    TypeRegistry::loadTypes(TAVVIEW_DIST_DIR "/config/types.xml");
    const auto& registry = TypeRegistry::singleton();
    for (const char* name : {"bool", "int", "double", "string"})
        EXPECT_TRUE(registry.contains(name)) << name;
    EXPECT_FALSE(registry.contains("float"));
    EXPECT_EQ(registry.get("bool")->defaultValue, Variant(false));
    EXPECT_EQ(registry.get("double")->defaultValue, Variant(0.0));
    EXPECT_EQ(registry.get("string")->defaultValue, Variant(std::string()));
    EXPECT_FALSE(registry.get("float").has_value());
}

TEST_F(TypeRegistryTest, BadFilesNameFileAndLine)
{
    const std::string path = _dir.filePath("types.xml").toStdString();
    EXPECT_EQ(error("<type name=\"int\" text=\"i\" default=\"0\"/>\n<type name=\"float\" text=\"f\" "
                    "default=\"0\"/>\n"),
              path + ":4:0: data type \"float\" is not supported");
    EXPECT_EQ(error("<type name=\"int\" text=\"i\" default=\"zero\"/>\n").rfind(path + ":3:", 0), 0u);
    EXPECT_EQ(error("<type name=\"int\" text=\"i\"/>\n").rfind(path + ":3:", 0), 0u);
    EXPECT_EQ(
        error(
            "<type name=\"int\" text=\"i\" default=\"0\"/>\n<type name=\"int\" text=\"j\" default=\"1\"/>\n")
            .rfind(path + ":", 0),
        0u);
    EXPECT_THROW(TypeRegistry::loadTypes(_dir.filePath("absent.xml").toStdString()), std::runtime_error);
}

} // namespace
