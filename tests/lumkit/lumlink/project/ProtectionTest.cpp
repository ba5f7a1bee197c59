#include "../KitFixture.h"

#include <kirogen/model/Project.h>
#include <QSignalSpy>
#include <QUndoStack>

using lumlink::project::Manager;
using lumlink::project::Project;

using ProtectionTest = KitFixture;

TEST_F(ProtectionTest, LockedUntilTheRightPasswordAndNeverStoredInTheFile)
{
    Project* project = open(example("counter.tkp2"));
    ASSERT_NE(project, nullptr);
    EXPECT_FALSE(project->isProtected());
    EXPECT_TRUE(project->password().isEmpty());
    EXPECT_TRUE(project->passwordValidated());

    QSignalSpy protectionChanged(project, &Project::protectionChanged);
    ASSERT_TRUE(project->setPassword("Geheim 42"));
    EXPECT_TRUE(project->isProtected());
    EXPECT_EQ(project->password(), "Geheim 42");
    EXPECT_TRUE(project->passwordValidated());
    EXPECT_TRUE(project->isModified());
    EXPECT_EQ(protectionChanged.count(), 1);

    // Setting a password is a step of its own.
    project->undoAction()->trigger();
    EXPECT_FALSE(project->isProtected());
    EXPECT_FALSE(project->isModified());
    project->redoAction()->trigger();
    EXPECT_TRUE(project->isProtected());

    const QString file = path("locked.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_FALSE(saved.readAll().contains("Geheim"));

    Project* locked = open(file);
    ASSERT_NE(locked, nullptr);
    EXPECT_TRUE(locked->isProtected());
    EXPECT_FALSE(locked->passwordValidated());
    EXPECT_TRUE(locked->isLocked());
    EXPECT_FALSE(locked->password().isEmpty());
    EXPECT_NE(locked->password(), "Geheim 42");

    // Every kind of edit is refused, and nothing reaches the undo stack or the model.
    const std::string before = locked->kirogenProject()->toXml();
    EXPECT_FALSE(locked->addGlobalVariable("extra", "int", "1"));
    EXPECT_FALSE(locked->setGlobalVariableValue("counter", "5"));
    EXPECT_FALSE(locked->removeGlobalVariable("big"));
    EXPECT_FALSE(locked->setPassword(""));
    EXPECT_FALSE(locked->importSDFsIntoProject(QFileInfo(example("traffic.tkp2")), {}, {}));
    EXPECT_EQ(locked->undoStack()->count(), 0);
    EXPECT_FALSE(locked->isModified());
    EXPECT_EQ(locked->kirogenProject()->toXml(), before);
    EXPECT_TRUE(logged("protected"));

    EXPECT_FALSE(locked->validatePassword("geheim 42"));
    EXPECT_FALSE(locked->validatePassword(""));
    EXPECT_TRUE(locked->isLocked());
    EXPECT_TRUE(locked->validatePassword("Geheim 42"));
    EXPECT_FALSE(locked->isLocked());
    EXPECT_EQ(locked->password(), "Geheim 42");

    ASSERT_TRUE(locked->setGlobalVariableValue("counter", "5"));
    ASSERT_TRUE(locked->setPassword(""));
    EXPECT_FALSE(locked->isProtected());
    EXPECT_TRUE(locked->password().isEmpty());
    ASSERT_TRUE(locked->save());
    Project* open2 = open(file);
    ASSERT_NE(open2, nullptr);
    EXPECT_FALSE(open2->isProtected());
    EXPECT_TRUE(open2->addGlobalVariable("extra", "int", "1"));
}
