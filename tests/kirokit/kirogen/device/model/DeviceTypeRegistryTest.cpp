#include <kirogen/Singletons.h>
#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <util/XmlSerializer.h>
#include <util/XmlString.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

using namespace kirogen::device::model;

namespace {

const std::string header = R"(<?xml version="1.0" encoding="UTF-8"?>
<deviceType xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="device.xsd")";

class DeviceTypeRegistryTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
    }

    std::string write(const std::string& name, const std::string& text)
    {
        const QString path = _dir.filePath(QString::fromStdString(name));
        QDir().mkpath(QFileInfo(path).path());
        std::ofstream(path.toStdString()) << text;
        return path.toStdString();
    }

    std::string dir() const { return _dir.path().toStdString(); }

    // The message of the error loading the directory gives, or "" when it loaded.
    std::string loadError(DeviceTypeRegistry& registry, const std::string& subdir = std::string())
    {
        try {
            registry.loadDeviceTypes(dir() + "/" + subdir);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return std::string();
    }

    QTemporaryDir _dir;
};

} // namespace

TEST_F(DeviceTypeRegistryTest, loadsTheShippedDevices)
{
    DeviceTypeRegistry registry;
    registry.loadDeviceTypes(TAVVIEW_DIST_DIR "/devices");
    ASSERT_EQ(registry.all().size(), 5u);

    const auto tavik = registry.getByXmlId("LUM GmbH Tavik");
    ASSERT_TRUE(tavik);
    EXPECT_FALSE(tavik->isGeneric());
    EXPECT_EQ(tavik->connectionKind(), DeviceType::ConnectionKind::Tcp);
    EXPECT_EQ(tavik->hostParameter(), "ipAddress");
    ASSERT_EQ(tavik->configVariables().size(), 1u);
    EXPECT_EQ(tavik->configVariables()[0].name, "disableDriveSystem");
    EXPECT_EQ(tavik->configVariables()[0].typeName, "bool");
    ASSERT_TRUE(tavik->port("speed"));
    EXPECT_EQ(tavik->port("speed")->direction, DevicePort::Direction::Out);
    ASSERT_TRUE(tavik->port("distanceFront"));
    EXPECT_EQ(tavik->port("distanceFront")->direction, DevicePort::Direction::In);

    const auto camera = registry.getByXmlId("LUM GmbH Local Camera");
    ASSERT_TRUE(camera && camera->parameter("selectedCamera"));
    EXPECT_EQ(camera->parameter("selectedCamera")->defaultValue.toString(), "/dev/video0");
    EXPECT_EQ(camera->connectionKind(), DeviceType::ConnectionKind::DeviceFile);
    const auto joystick = registry.getByXmlId("LUM GmbH Joystick");
    ASSERT_TRUE(joystick && joystick->parameter("name"));
    EXPECT_EQ(joystick->parameter("name")->defaultValue.toString(), "/dev/input/js0");
    ASSERT_TRUE(registry.getByXmlId("LUM GmbH OPC Client"));

    const auto generic = registry.getByXmlId("LUM GmbH Generic Device");
    ASSERT_TRUE(generic);
    EXPECT_TRUE(generic->isGeneric());
    EXPECT_EQ(generic->connectionKind(), DeviceType::ConnectionKind::None);

    EXPECT_FALSE(registry.getByXmlId("LUM GmbH Toaster"));
    EXPECT_FALSE(registry.getByXmlId(""));

    // Nothing shipped may point beyond loopback.
    for (const auto& type : registry.all()) {
        if (const DeviceSetting* host = type->parameter(type->hostParameter())) {
            EXPECT_EQ(host->defaultValue.toString(), "127.0.0.1") << type->xmlId();
        }
    }
}

TEST_F(DeviceTypeRegistryTest, singletonIsOneRegistry)
{
    EXPECT_EQ(&DeviceTypeRegistry::singleton(), &DeviceTypeRegistry::singleton());
}

TEST_F(DeviceTypeRegistryTest, badFilesNameFileAndLineAndAddNothing)
{
    struct Case
    {
        const char* what;
        std::string text;
        const char* message;
        const char* line;
    };
    const std::vector<Case> cases = {
        {"malformed", header + R"( id="x" name="x">
  <connection kind="none">
</deviceType>)",
         "", ":4:"},
        {"unknown kind", header + R"( id="x" name="x">
  <connection kind="serial"/>
</deviceType>)",
         "", ":3:"},
        {"missing connection", header + R"( id="x" name="x">
  <parameter name="a" type="int" default="1"/>
</deviceType>)",
         "", ":4:"},
        {"repeated parameter", header + R"( id="x" name="x">
  <connection kind="none"/>
  <parameter name="a" type="int" default="1"/>
  <parameter name="a" type="int" default="2"/>
</deviceType>)",
         "", ":"},
        {"unknown type", header + R"( id="x" name="x">
  <connection kind="none"/>
  <config name="a" type="float" default="1"/>
</deviceType>)",
         "unknown data type", ":4:"},
        {"unfitting default", header + R"( id="x" name="x">
  <connection kind="none"/>

  <config name="a" type="bool" default="maybe"/>
</deviceType>)",
         "no bool", ":5:"},
        {"address in no parameter", header + R"( id="x" name="x">
  <connection kind="tcp" host="ipAddress" port="port"/>
  <parameter name="ipAddress" type="string" default="127.0.0.1"/>
</deviceType>)",
         "names no parameter", ":3:"},
        {"no schema", R"(<?xml version="1.0"?>
<deviceType id="x" name="x"><connection kind="none"/></deviceType>)",
         "", ":"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write(std::string(c.what) + "/a-good.xml",
              header + R"( id="good" name="good"><connection kind="none"/></deviceType>)");
        const std::string bad = write(std::string(c.what) + "/b-bad.xml", c.text);

        DeviceTypeRegistry registry;
        const std::string error = loadError(registry, c.what);
        EXPECT_NE(error.find(bad + c.line), std::string::npos) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_TRUE(registry.all().empty());
    }
}

TEST_F(DeviceTypeRegistryTest, duplicateIdsAreRefused)
{
    write("a.xml", header + R"( id="same" name="a"><connection kind="none"/></deviceType>)");
    const std::string second =
        write("b.xml", header + R"( id="same" name="b"><connection kind="none"/></deviceType>)");
    DeviceTypeRegistry registry;
    const std::string error = loadError(registry);
    EXPECT_NE(error.find(second + ":2:"), std::string::npos) << error;
    EXPECT_NE(error.find("already declared in " + dir() + "/a.xml:2"), std::string::npos) << error;
    EXPECT_TRUE(registry.all().empty());

    // Across directories: the first one's types stay.
    QFile::remove(QString::fromStdString(second));
    registry.loadDeviceTypes(dir());
    EXPECT_NE(loadError(registry).find("already declared"), std::string::npos);
    ASSERT_EQ(registry.all().size(), 1u);
    EXPECT_EQ(registry.getByXmlId("same")->displayName(), "a");
}

TEST_F(DeviceTypeRegistryTest, missingDirectoryIsAnError)
{
    DeviceTypeRegistry registry;
    EXPECT_THROW(registry.loadDeviceTypes(dir() + "/absent"), std::runtime_error);
    write("notes.txt", "not a device");
    registry.loadDeviceTypes(dir());
    EXPECT_TRUE(registry.all().empty());
}

TEST_F(DeviceTypeRegistryTest, tellsTheLoadingObserverAboutEachFile)
{
    struct Loading : kirogen::observer::Observer
    {
        std::vector<std::string> files;
        void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable*,
                       const lum::core::variant::Variant& value) override
        {
            if (role == kirogen::observer::DataRole::LoadingProgress)
                files.push_back(value.get<util::XmlString>().toStdString());
        }
    } loading;
    const std::string b =
        write("b.xml", header + R"( id="b" name="b"><connection kind="none"/></deviceType>)");
    const std::string a =
        write("a.xml", header + R"( id="a" name="a"><connection kind="none"/></deviceType>)");

    kirogen::singletons_init(&loading, "UTF-8");
    DeviceTypeRegistry registry;
    registry.loadDeviceTypes(dir());
    kirogen::singletons_done();
    EXPECT_EQ(loading.files, (std::vector<std::string>{a, b}));
}

TEST_F(DeviceTypeRegistryTest, instancesNeedUsableNames)
{
    write("sim.xml", header + R"( id="sim" name="sim"><connection kind="simulated"/></deviceType>)");
    write("none.xml", header + R"( id="none" name="none"><connection kind="none"/></deviceType>)");
    DeviceTypeRegistry registry;
    registry.loadDeviceTypes(dir());
    const auto type = registry.getByXmlId("sim");
    for (const char* bad : {"", "tavik:drive", "tab\there", "line\n"})
        EXPECT_FALSE(type->createDeviceInstance(nullptr, bad)) << bad;

    const auto device = type->createDeviceInstance(nullptr, "robot 1");
    ASSERT_TRUE(device);
    EXPECT_EQ(device->instanceName(), "robot 1");
    EXPECT_EQ(device->deviceType(), type);
    EXPECT_EQ(device->getPtr(), device);
    const DeviceInstance unowned(type, {}, "unowned");
    EXPECT_FALSE(unowned.getPtr()) << "no shared owner, no pointer (and no exception)";
    EXPECT_NE(device->connection(), nullptr);
    EXPECT_EQ(registry.getByXmlId("none")->createDeviceInstance(nullptr, "n")->connection(), nullptr);
}
