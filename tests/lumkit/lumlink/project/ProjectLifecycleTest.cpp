#include "../KitFixture.h"

#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <lumlink/project/Device.h>
#include <QDirIterator>
#include <QProcess>
#include <QSignalSpy>
#include <QUndoStack>
#include <sys/resource.h>
#include <csignal>

using lumlink::project::Manager;
using lumlink::project::Project;

namespace {

// The manager's signals in the order they came, as "signal:display name".
class SignalLog
{
public:
    SignalLog()
    {
        Manager& manager = Manager::singleton();
        QObject::connect(&manager, &Manager::activeProjectChanged, &_context, [this](Project* p) {
            lines.append(QStringLiteral("active:") + (p ? p->displayName() : QStringLiteral("none")));
        });
        QObject::connect(&manager, &Manager::projectWasModified, &_context, [this](Project* p) {
            lines.append(QStringLiteral("modified:") + (p->isModified() ? "yes" : "no"));
        });
        QObject::connect(
            &manager, &Manager::projectDisplayNameChanged, &_context,
            [this](const QString& name, Project*) { lines.append(QStringLiteral("name:") + name); });
    }

    QStringList take()
    {
        const QStringList taken = lines;
        lines.clear();
        return taken;
    }

    QStringList lines;

private:
    QObject _context;
};

} // namespace

using ProjectLifecycleTest = KitFixture;

TEST_F(ProjectLifecycleTest, NewEditUndoLayoutSaveAndOpenSignalInOrder)
{
    SignalLog signalLog;
    Manager& manager = Manager::singleton();
    EXPECT_EQ(manager.activeProject(), nullptr);

    Project* project = manager.createNewProject();
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(manager.activeProject(), project);
    EXPECT_EQ(project->displayName(), "Unnamed");
    EXPECT_TRUE(project->isEmpty());
    EXPECT_FALSE(project->isModified());
    EXPECT_FALSE(project->undoAction()->isEnabled());
    // The platform's keys, as the other shared actions have them.
    EXPECT_EQ(project->undoAction()->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(project->redoAction()->shortcut(), QKeySequence(QKeySequence::Redo));
    EXPECT_EQ(signalLog.take(), QStringList{"active:Unnamed"});

    ASSERT_TRUE(project->addGlobalVariable("speed", "double", "0.5"));
    EXPECT_TRUE(project->isModified());
    EXPECT_FALSE(project->isEmpty());
    EXPECT_TRUE(project->undoAction()->isEnabled());
    // A second edit of a modified project changes no state the window shows.
    ASSERT_TRUE(project->setGlobalVariableValue("speed", "0.75"));
    EXPECT_EQ(signalLog.take(), QStringList{"modified:yes"});

    project->undoStack()->undo();
    project->undoAction()->trigger();
    EXPECT_FALSE(project->isModified());
    EXPECT_TRUE(project->isEmpty());
    EXPECT_TRUE(project->redoAction()->isEnabled());
    project->redoAction()->trigger();
    EXPECT_EQ(project->kirogenProject()->globalVariable("speed")->initialValue().toString(), "0.5");
    EXPECT_EQ(signalLog.take(), (QStringList{"modified:no", "modified:yes"}));
    project->undoStack()->undo();
    signalLog.take();

    project->setLayoutModified(true);
    EXPECT_TRUE(project->isModified());
    project->setLayoutModified(false);
    EXPECT_FALSE(project->isModified());
    EXPECT_EQ(signalLog.take(), (QStringList{"modified:yes", "modified:no"}));

    project->redoAction()->trigger();
    const QString file = path("first.tkpx");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    EXPECT_FALSE(project->isModified());
    EXPECT_EQ(project->displayName(), "first");
    EXPECT_EQ(project->fileInfo().absoluteFilePath(), QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(signalLog.take(), (QStringList{"modified:yes", "modified:no", "name:first"}));

    // Undoing past the saved state modifies the project again; redo makes it clean.
    project->undoAction()->trigger();
    EXPECT_TRUE(project->isModified());
    project->redoAction()->trigger();
    EXPECT_FALSE(project->isModified());
    signalLog.take();

    // Saving under the same name does not rename.
    project->setLayoutModified(true);
    ASSERT_TRUE(project->save());
    EXPECT_EQ(signalLog.take(), (QStringList{"modified:yes", "modified:no"}));

    QMap<int, QString> tabs;
    int current = 7;
    Project* reopened = open(file, &tabs, &current);
    ASSERT_NE(reopened, nullptr);
    EXPECT_NE(reopened, project);
    EXPECT_EQ(manager.activeProject(), reopened);
    EXPECT_EQ(reopened->displayName(), "first");
    EXPECT_FALSE(reopened->isModified());
    EXPECT_TRUE(tabs.isEmpty());
    EXPECT_EQ(current, -1);
    ASSERT_NE(reopened->kirogenProject()->globalVariable("speed"), nullptr);
    EXPECT_EQ(signalLog.take(), QStringList{"active:first"});

    // The replaced project goes once events run; its signals no longer reach the manager.
    QPointer<Project> old(project);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
}

TEST_F(ProjectLifecycleTest, EveryExampleSavedBothWaysReopensAsTheSameProject)
{
    QDirIterator examples(QStringLiteral(TAVVIEW_DIST_DIR "/examples"), {"*.tkp2"});
    int count = 0;
    while (examples.hasNext()) {
        const QString example = examples.next();
        SCOPED_TRACE(example.toStdString());
        ++count;
        QMap<int, QString> tabs;
        int current = -1;
        Project* original = open(example, &tabs, &current);
        ASSERT_NE(original, nullptr);
        const std::string text = original->kirogenProject()->toXml();
        const QStringList openTabs = original->openTabs();
        EXPECT_EQ(tabs.values(), openTabs);
        EXPECT_EQ(current, openTabs.indexOf(original->currentTab()));
        EXPECT_EQ(original->saveToMem().toStdString(), text);

        for (const QString& suffix : {QStringLiteral(".tkpx"), QStringLiteral(".tkp2")}) {
            const QString copy = path(QFileInfo(example).completeBaseName() + suffix);
            ASSERT_TRUE(original->saveAs(QFileInfo(copy)));
            QFile file(copy);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            // gzip's magic bytes tell the compressed form.
            EXPECT_EQ(file.read(2) == QByteArray("\x1f\x8b"), suffix == ".tkpx");
            QMap<int, QString> reopenedTabs;
            int reopenedCurrent = -1;
            Project* reopened = open(copy, &reopenedTabs, &reopenedCurrent);
            ASSERT_NE(reopened, nullptr);
            EXPECT_EQ(reopened->kirogenProject()->toXml(), text);
            EXPECT_EQ(reopenedTabs, tabs);
            EXPECT_EQ(reopenedCurrent, current);
            original = reopened;
        }
    }
    EXPECT_GE(count, 3);
}

TEST_F(ProjectLifecycleTest, TabsChangedInTheViewAreSavedWithTheProject)
{
    Project* project = open(patrolProject());
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->openTabs(), (QStringList{"Patrol", "drive"}));
    project->setOpenTabs({"stop", "nothing", "Patrol"}, "stop");
    EXPECT_TRUE(project->isLayoutModified());
    EXPECT_EQ(project->openTabs(), (QStringList{"stop", "Patrol"}));
    const QString file = path("tabs.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    QMap<int, QString> tabs;
    int current = -1;
    ASSERT_NE(open(file, &tabs, &current), nullptr);
    EXPECT_EQ(tabs, (QMap<int, QString>{{0, "stop"}, {1, "Patrol"}}));
    EXPECT_EQ(current, 0);
}

TEST_F(ProjectLifecycleTest, FailedSaveKeepsTheOldFileAndTheModifiedState)
{
    Project* project = Manager::singleton().createNewProject();
    ASSERT_TRUE(project->addGlobalVariable("a", "int", "1"));
    const QString file = path("kept.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray before = saved.readAll();
    saved.close();

    // A folder that cannot exist: its parent is a regular file. (Tests run as root, to whom a
    // read-only folder is no obstacle.)
    ASSERT_TRUE(project->addGlobalVariable("b", "int", "2"));
    const QString blocked = path("kept.tkp2/inside.tkp2");
    EXPECT_FALSE(project->saveAs(QFileInfo(blocked)));
    EXPECT_TRUE(project->isModified());
    EXPECT_EQ(project->fileInfo().absoluteFilePath(), QFileInfo(file).absoluteFilePath());
    EXPECT_TRUE(logged("inside.tkp2"));

    // A folder nobody may write to, root included: immutable (chattr +i).
    ASSERT_TRUE(project->addGlobalVariable("c", "int", "3"));
    const auto chattr = [this](const char* flag) {
        return QProcess::execute(QStringLiteral("chattr"), {QString::fromLatin1(flag), _dir.path()}) == 0;
    };
    if (!chattr("+i"))
        GTEST_SKIP() << "chattr +i is not available here";
    const bool savedIntoLockedFolder = project->save();
    ASSERT_TRUE(chattr("-i"));
    EXPECT_FALSE(savedIntoLockedFolder);
    EXPECT_TRUE(project->isModified());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), before);
    saved.close();
    EXPECT_EQ(QDir(_dir.path()).entryList(QDir::Files), QStringList{"kept.tkp2"});

    ASSERT_TRUE(project->save());
    EXPECT_FALSE(project->isModified());
    ASSERT_NE(open(file), nullptr);
    EXPECT_NE(Manager::singleton().activeProject()->kirogenProject()->globalVariable("c"), nullptr);
}

TEST_F(ProjectLifecycleTest, AFileTheKitRefusesOpensNothingAndSaysWhere)
{
    Manager& manager = Manager::singleton();
    Project* current = manager.createNewProject();
    const QByteArray head =
        "<?xml version=\"1.0\"?>\n<project xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "version=\"1\" xsi:noNamespaceSchemaLocation=\"project.xsd\">\n";
    // A type that is not loaded, each on line 5 of its file: nothing opens, the reason names
    // file, line and the type.
    const struct
    {
        const char* file;
        QByteArray body;
        const char* type;
    } refused[] = {
        {"unknown-device.tkp2",
         "<globalVariables/>\n<devices>\n<device name=\"d\" type=\"No Such Type\"/>\n</devices>\n",
         "No Such Type"},
        {"unknown-block.tkp2",
         "<globalVariables/><devices/>\n<programs>\n<fbd name=\"p\"><block id=\"b\" type=\"noSuchBlock\" "
         "x=\"0\" "
         "y=\"0\"/></fbd>\n</programs>\n",
         "noSuchBlock"},
        {"unknown-data-type.tkp2",
         "<globalVariables>\n\n<variable name=\"v\" type=\"noSuchType\" value=\"0\"/>\n</globalVariables>\n"
         "<devices/>\n",
         "noSuchType"},
    };
    QSignalSpy changed(&manager, &Manager::activeProjectChanged);
    for (const auto& file : refused) {
        SCOPED_TRACE(file.file);
        QFile written(path(file.file));
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        written.write(head + file.body + "</project>\n");
        written.close();
        EXPECT_EQ(open(written.fileName()), nullptr);
        EXPECT_EQ(manager.activeProject(), current);
        EXPECT_TRUE(logged(QString::fromLatin1(file.file) + ":5")) << _log.join('\n').toStdString();
        EXPECT_TRUE(logged(QString::fromLatin1(file.type)));
    }
    EXPECT_EQ(changed.count(), 0);

    QFile broken(path("broken.tkpx"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x1f\x8b\x08\x00 truncated");
    broken.close();
    EXPECT_EQ(open(broken.fileName()), nullptr);
    EXPECT_EQ(manager.activeProject(), current);
    EXPECT_TRUE(logged("broken.tkpx"));
}
