#include "SdfEditorFixture.h"

#include <lumlink/sdf/LinkItem.h>
#include <QSignalSpy>
#include <QTimer>
#include <algorithm>
#include <set>

using kirogen::model::DataLink;
using kirogen::model::FunctionBlock;
using kirogen::model::FunctionBlockDiagram;
using lumlink::project::Project;

namespace {

const QString Patrol = QStringLiteral(LUMLINK_TEST_DATA "/patrol.tkp2");
const QString Counter = QStringLiteral(TAVVIEW_DIST_DIR "/examples/counter.tkp2");

// The blocks of after that before did not have, by id.
std::map<std::string, FunctionBlock> added(const FunctionBlockDiagram& before,
                                           const FunctionBlockDiagram& after)
{
    std::map<std::string, FunctionBlock> blocks;
    for (const FunctionBlock& block : after.blocks()) {
        if (!before.block(block.id))
            blocks[block.id] = block;
    }
    return blocks;
}

// The pasted block that copies the original: same type and parameters.
const FunctionBlock* copyOf(const std::map<std::string, FunctionBlock>& pasted, const FunctionBlock& original)
{
    for (const auto& [id, block] : pasted) {
        if (block.typeId == original.typeId && block.parameters == original.parameters)
            return &block;
    }
    return nullptr;
}

bool hasLink(const FunctionBlockDiagram& diagram, const DataLink& wanted)
{
    return std::find(diagram.links().begin(), diagram.links().end(), wanted) != diagram.links().end();
}

bool sameContent(const FunctionBlockDiagram& a, const FunctionBlockDiagram& b)
{
    return a.blocks() == b.blocks() && a.links() == b.links();
}

std::set<std::string> selectedBlocks(lumlink::sdf::SDFView* view)
{
    std::set<std::string> ids;
    for (QGraphicsItem* item : view->diagramScene()->selectedItems()) {
        if (auto* block = dynamic_cast<lumlink::sdf::BlockItem*>(item))
            ids.insert(block->block().id);
    }
    return ids;
}

} // namespace

TEST_F(SdfProjectFixture, copiedBlocksPasteIntoAnotherDiagramAndBesideThemselvesWithNewIdsAndTheirLinks)
{
    Project* project = openProject(Patrol);
    ASSERT_NE(project, nullptr);
    auto* drive = edit(project, "drive");
    auto* stop = edit(project, "stop");
    const auto driveBefore = diagramOf(project, "drive");
    const auto stopBefore = diagramOf(project, "stop");

    click(drive, "speed");
    click(drive, "motor", Qt::ControlModifier);
    click(drive, "front", Qt::ControlModifier);
    key(drive, QKeySequence::Copy);
    ASSERT_FALSE(project->isClipboardEmpty());
    EXPECT_EQ(project->undoStack()->count(), 0);
    EXPECT_FALSE(project->isModified());

    key(stop, QKeySequence::Paste);
    ASSERT_EQ(project->undoStack()->count(), 1);
    EXPECT_TRUE(project->isModified());
    const auto afterPaste = diagramOf(project, "stop");
    const auto pasted = added(*stopBefore, *afterPaste);
    // Three new blocks under ids the diagram did not use; "stop" had blocks of all three names.
    ASSERT_EQ(pasted.size(), 3u);
    ASSERT_EQ(afterPaste->blocks().size(), stopBefore->blocks().size() + 3);
    const FunctionBlock* speed = copyOf(pasted, *driveBefore->block("speed"));
    const FunctionBlock* motor = copyOf(pasted, *driveBefore->block("motor"));
    const FunctionBlock* front = copyOf(pasted, *driveBefore->block("front"));
    ASSERT_TRUE(speed && motor && front);
    // The link between copied blocks comes along under the new ids; the one to a block left
    // behind does not.
    EXPECT_TRUE(hasLink(*afterPaste, DataLink{speed->id, "out", motor->id, "in", 0}));
    EXPECT_EQ(afterPaste->links().size(), stopBefore->links().size() + 1);
    // Same layout among themselves, and no copy on top of a block that was there.
    const double dx = speed->position.x - driveBefore->block("speed")->position.x;
    const double dy = speed->position.y - driveBefore->block("speed")->position.y;
    EXPECT_EQ(motor->position.x - driveBefore->block("motor")->position.x, dx);
    EXPECT_EQ(front->position.y - driveBefore->block("front")->position.y, dy);
    for (const auto& [id, block] : pasted) {
        for (const FunctionBlock& there : stopBefore->blocks()) {
            EXPECT_FALSE(std::abs(block.position.x - there.position.x) < 20 &&
                         std::abs(block.position.y - there.position.y) < 20)
                << id << " covers " << there.id;
        }
    }
    // The copies are what is selected now, ready to be moved.
    EXPECT_EQ(selectedBlocks(stop), (std::set<std::string>{speed->id, motor->id, front->id}));
    EXPECT_TRUE(reloaded(project)->diagram("stop")->block(motor->id));

    // Pasted again into the diagram copied from: ids new once more, off the originals.
    key(drive, QKeySequence::Paste);
    const auto driveAfter = diagramOf(project, "drive");
    const auto besides = added(*driveBefore, *driveAfter);
    ASSERT_EQ(besides.size(), 3u);
    const FunctionBlock* speed2 = copyOf(besides, *driveBefore->block("speed"));
    const FunctionBlock* motor2 = copyOf(besides, *driveBefore->block("motor"));
    ASSERT_TRUE(speed2 && motor2);
    EXPECT_TRUE(hasLink(*driveAfter, DataLink{speed2->id, "out", motor2->id, "in", 0}));
    EXPECT_NE(speed2->position, driveBefore->block("speed")->position);
    EXPECT_EQ(project->undoStack()->count(), 2);

    project->undoAction()->trigger();
    EXPECT_TRUE(sameContent(*diagramOf(project, "drive"), *driveBefore));
    project->undoAction()->trigger();
    EXPECT_TRUE(sameContent(*diagramOf(project, "stop"), *stopBefore));
    EXPECT_EQ(item(stop, motor->id), nullptr);
    EXPECT_FALSE(project->isModified());
    project->redoAction()->trigger();
    EXPECT_TRUE(sameContent(*diagramOf(project, "stop"), *afterPaste));
    EXPECT_NE(item(stop, motor->id), nullptr);
    EXPECT_TRUE(project->isModified());
}

TEST_F(SdfProjectFixture, pasteIntoAnotherProjectBringsTheVariablesItLacksAndRefusesMissingDevices)
{
    Project* counter = openProject(Counter);
    ASSERT_NE(counter, nullptr);
    auto* count = edit(counter, "count");
    click(count, "readIncrement");
    click(count, "sum", Qt::ControlModifier);
    click(count, "writeCounter", Qt::ControlModifier);
    key(count, QKeySequence::Copy);

    // The next project opened takes the clipboard over.
    Project* patrol = openProject(Patrol);
    ASSERT_NE(patrol, nullptr);
    ASSERT_FALSE(patrol->isClipboardEmpty());
    ASSERT_EQ(patrol->kirogenProject()->globalVariable("increment"), nullptr);
    auto* stop = edit(patrol, "stop");
    const auto before = diagramOf(patrol, "stop");
    QSignalSpy variablesAdded(patrol, &Project::globalVariableAdded);
    key(stop, QKeySequence::Paste);

    ASSERT_EQ(patrol->undoStack()->count(), 1);
    const auto after = diagramOf(patrol, "stop");
    const auto pasted = added(*before, *after);
    ASSERT_EQ(pasted.size(), 3u);
    FunctionBlock readIncrement;
    readIncrement.typeId = "gvread";
    readIncrement.parameters["variable"] = "increment";
    FunctionBlock sum;
    sum.typeId = "add";
    const FunctionBlock* read = copyOf(pasted, readIncrement);
    const FunctionBlock* add = copyOf(pasted, sum);
    ASSERT_TRUE(read && add);
    EXPECT_TRUE(hasLink(*after, DataLink{read->id, "out", add->id, "b", 0}));
    // The variables the blocks name came along with their types and values, in the same step.
    const auto increment = patrol->kirogenProject()->globalVariable("increment");
    ASSERT_NE(increment, nullptr);
    EXPECT_EQ(increment->typeName(), "double");
    EXPECT_EQ(increment->initialValue().toString(), "1");
    EXPECT_NE(patrol->kirogenProject()->globalVariable("counter"), nullptr);
    EXPECT_EQ(variablesAdded.count(), 2);
    EXPECT_TRUE(reloaded(patrol)->globalVariable("increment"));

    patrol->undoAction()->trigger();
    EXPECT_TRUE(sameContent(*diagramOf(patrol, "stop"), *before));
    EXPECT_EQ(patrol->kirogenProject()->globalVariable("increment"), nullptr);
    EXPECT_EQ(patrol->kirogenProject()->globalVariable("counter"), nullptr);
    EXPECT_FALSE(patrol->isModified());
    patrol->redoAction()->trigger();
    EXPECT_NE(patrol->kirogenProject()->globalVariable("increment"), nullptr);
    EXPECT_TRUE(sameContent(*diagramOf(patrol, "stop"), *after));

    // A device input copied into a project without that device is refused as a whole.
    click(stop, "front");
    click(stop, "writeDistance", Qt::ControlModifier);
    key(stop, QKeySequence::Copy);
    Project* again = openProject(Counter);
    ASSERT_NE(again, nullptr);
    auto* target = edit(again, "count");
    const std::string xml = again->kirogenProject()->toXml();
    QSignalSpy status(target, &lumlink::sdf::SDFView::statusMessage);
    key(target, QKeySequence::Paste);
    EXPECT_EQ(again->undoStack()->count(), 0);
    EXPECT_EQ(again->kirogenProject()->toXml(), xml);
    EXPECT_FALSE(again->isModified());
    ASSERT_EQ(status.count(), 1);
    EXPECT_TRUE(status.first().first().toString().contains("tavik"));
}

TEST_F(SdfProjectFixture, cutIsOneStepThatUndoBringsBackWithEveryLink)
{
    Project* project = openProject(Counter);
    ASSERT_NE(project, nullptr);
    auto* view = edit(project, "count");
    const auto before = diagramOf(project, "count");
    click(view, "two");
    click(view, "halve", Qt::ControlModifier);
    key(view, QKeySequence::Cut);

    ASSERT_EQ(project->undoStack()->count(), 1);
    EXPECT_TRUE(project->isModified());
    const auto cut = diagramOf(project, "count");
    EXPECT_EQ(cut->block("two"), nullptr);
    EXPECT_EQ(cut->block("halve"), nullptr);
    // Links into and out of the cut blocks went with them.
    EXPECT_EQ(cut->links().size(), before->links().size() - 3);
    EXPECT_FALSE(project->isClipboardEmpty());

    project->undoAction()->trigger();
    EXPECT_TRUE(sameContent(*diagramOf(project, "count"), *before));
    EXPECT_NE(item(view, "halve"), nullptr);
    EXPECT_EQ(view->diagramScene()->linkItems().size(), 9);
    EXPECT_FALSE(project->isModified());
    project->redoAction()->trigger();
    EXPECT_TRUE(sameContent(*diagramOf(project, "count"), *cut));

    // What was cut pastes back with its inner link.
    key(view, QKeySequence::Paste);
    const auto pasted = added(*cut, *diagramOf(project, "count"));
    ASSERT_EQ(pasted.size(), 2u);
    const FunctionBlock* two = copyOf(pasted, *before->block("two"));
    const FunctionBlock* halve = copyOf(pasted, *before->block("halve"));
    ASSERT_TRUE(two && halve);
    EXPECT_TRUE(hasLink(*diagramOf(project, "count"), DataLink{two->id, "out", halve->id, "b", 0}));
    EXPECT_EQ(project->undoStack()->count(), 2);
}

TEST_F(SdfProjectFixture, nothingReachesTheModelOrTheClipboardWhileProtected)
{
    Project* project = openProject(Counter);
    ASSERT_NE(project, nullptr);
    auto* view = edit(project, "count");
    click(view, "sum");
    key(view, QKeySequence::Copy);
    ASSERT_TRUE(project->setPassword("Geheim 42"));
    const QString file = dir.filePath("locked.tkp2");
    ASSERT_TRUE(project->saveAs(QFileInfo(file)));

    Project* locked = openProject(file);
    ASSERT_NE(locked, nullptr);
    ASSERT_TRUE(locked->isLocked());
    ASSERT_FALSE(locked->isClipboardEmpty());
    auto* lockedView = edit(locked, "count");
    const std::string xml = locked->kirogenProject()->toXml();
    const QByteArray clipboard = locked->clipboard();
    QSignalSpy clipboardChanged(locked, &Project::clipboardChanged);

    key(lockedView, QKeySequence::Paste);
    key(lockedView, QKeySequence::SelectAll);
    EXPECT_FALSE(lockedView->model().isSelectionEmpty());
    key(lockedView, QKeySequence::Copy);
    key(lockedView, QKeySequence::Cut);
    // A double click opens no parameter dialog: the timer finds none to close.
    bool dialogShown = false;
    QTimer::singleShot(0, [&dialogShown] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialogShown = true;
            dialog->close();
        }
    });
    QTest::mouseDClick(lockedView->viewport(), Qt::LeftButton, Qt::NoModifier,
                       at(lockedView, headerOf(lockedView, "two")));
    QCoreApplication::processEvents();

    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(locked->kirogenProject()->toXml(), xml);
    EXPECT_EQ(locked->undoStack()->count(), 0);
    EXPECT_EQ(clipboardChanged.count(), 0);
    EXPECT_EQ(locked->clipboard(), clipboard);
    EXPECT_FALSE(locked->isModified());

    // Once the password is given, the same paste goes through.
    ASSERT_TRUE(locked->validatePassword("Geheim 42"));
    key(lockedView, QKeySequence::Paste);
    EXPECT_EQ(locked->undoStack()->count(), 1);
}
