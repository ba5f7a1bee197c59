#pragma once

#include <kirogen/device/model/DeviceTypeRegistry.h>
#include <kirogen/model/TypeRegistry.h>
#include <kirogen/sdf/ActorTypeRegistry.h>
#include <lum/qt/log/Log.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <util/XmlSerializer.h>
#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <functional>

// The registries of the data tree, plus a device type reached in-process ("Test Simulated
// Robot", one input and one output), loaded once per program; a fresh folder per test; and
// the message window's lines as they arrive.
class KitFixture : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static bool loaded = false;
        if (loaded)
            return;
        loaded = true;
        util::XmlSerializer::addGlobalEntityResolverSearchPath(TAVVIEW_DIST_DIR "/schema");
        kirogen::model::TypeRegistry::loadTypes(TAVVIEW_DIST_DIR "/config/types.xml");
        kirogen::sdf::ActorTypeRegistry::singleton().loadActorTypes(TAVVIEW_DIST_DIR "/units");
        auto& devices = kirogen::device::model::DeviceTypeRegistry::singleton();
        devices.loadDeviceTypes(TAVVIEW_DIST_DIR "/devices");
        static QTemporaryDir simulated;
        QFile file(simulated.filePath(QStringLiteral("simulated.xml")));
        file.open(QIODevice::WriteOnly);
        file.write(
            "<?xml version=\"1.0\"?>\n<deviceType xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:noNamespaceSchemaLocation=\"device.xsd\" id=\"Test Simulated Robot\" name=\"Simulated\">"
            "<description>in-process</description><connection kind=\"simulated\"/>"
            "<port name=\"speed\" direction=\"out\" type=\"double\"/>"
            "<port name=\"distance\" direction=\"in\" type=\"double\" default=\"0\"/></deviceType>\n");
        file.close();
        devices.loadDeviceTypes(simulated.path().toStdString());
    }

    void SetUp() override
    {
        ASSERT_TRUE(_dir.isValid());
        QObject::connect(&lum::qt::log::Log::singleton(), &lum::qt::log::Log::lineLogged, &_context,
                         [this](const QString& line) { _log.append(line); });
    }

    void TearDown() override
    {
        lumlink::project::Manager::singleton().closeProject();
        // Deferred deletions of replaced projects happen before the next test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString path(const QString& name) const { return _dir.filePath(name); }
    static QString example(const QString& name)
    {
        return QStringLiteral(TAVVIEW_DIST_DIR "/examples/") + name;
    }
    // A robot project of the tests' own, so that changes to the shipped examples never
    // change what these tests expect.
    static QString patrolProject() { return QStringLiteral(LUMLINK_TEST_DATA "/patrol.tkp2"); }

    static QStringList tabTexts(const QTabWidget& tabs)
    {
        QStringList texts;
        for (int i = 0; i < tabs.count(); ++i)
            texts.append(tabs.tabText(i));
        return texts;
    }

    // Whether a line of the message window holds the text; lines logged on this thread
    // arrive once events are processed.
    bool logged(const QString& text)
    {
        QCoreApplication::processEvents();
        for (const QString& line : _log) {
            if (line.contains(text))
                return true;
        }
        return false;
    }

    lumlink::project::Project* open(const QString& file, QMap<int, QString>* tabs = nullptr,
                                    int* current = nullptr)
    {
        QMap<int, QString> ignoredTabs;
        int ignoredCurrent = -1;
        return lumlink::project::Manager::singleton().createProjectFromFile(
            QFileInfo(file), tabs ? tabs : &ignoredTabs, current ? current : &ignoredCurrent);
    }

    // Runs events until the condition holds; false when it still does not after the time-out,
    // which only bounds a failing test.
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        return true;
    }

    // Events of the coming milliseconds, for reports that must not arrive.
    static void processEventsFor(int ms)
    {
        waitFor([] { return false; }, ms);
    }

    QTemporaryDir _dir;
    QObject _context;
    QStringList _log;
};
