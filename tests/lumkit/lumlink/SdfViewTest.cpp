#include "SdfEditorFixture.h"

#include <lum/qt/gui/option/EditorSettings.h>
#include <lumlink/sdf/BlockPalette.h>
#include <lumlink/sdf/Magnifier.h>
#include <lumlink/sdf/commands/SetParametersCommand.h>
#include <QAction>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWheelEvent>
#include <poppler-qt5.h>
#include <memory>

namespace {

// Exports the view to a PDF at the path and reads it back: the text of each page, none when the
// export or the reading failed.
QStringList pdfPageTexts(const lumlink::sdf::SDFView& view, const QString& path)
{
    QString error;
    if (!view.exporter().toPdf(path, &error)) {
        ADD_FAILURE() << "PDF export failed: " << error.toStdString();
        return {};
    }
    const std::unique_ptr<Poppler::Document> pdf(Poppler::Document::load(path));
    if (!pdf) {
        ADD_FAILURE() << "unreadable PDF: " << path.toStdString();
        return {};
    }
    QStringList texts;
    for (int i = 0; i < pdf->numPages(); ++i) {
        const std::unique_ptr<Poppler::Page> page(pdf->page(i));
        texts.append(page->text(QRectF()));
    }
    return texts;
}

} // namespace

TEST_F(SdfEditorFixture, zoomsWithButtonsAndCtrlWheelAndFitsTheDiagram)
{
    const double start = view->zoom();
    view->zoomIn();
    EXPECT_GT(view->zoom(), start);
    view->zoomOut();
    EXPECT_DOUBLE_EQ(view->zoom(), start);

    const QPoint centre = view->viewport()->rect().center();
    QWheelEvent plainWheel(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                           Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &plainWheel);
    EXPECT_DOUBLE_EQ(view->zoom(), start);
    QWheelEvent ctrlWheel(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, 240),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &ctrlWheel);
    EXPECT_NEAR(view->zoom(), start * 1.25 * 1.25, 1e-9);

    for (int i = 0; i < 12; ++i)
        view->zoomIn();
    view->fit();
    const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
    EXPECT_TRUE(shown.contains(view->diagramScene()->diagramRect()));
    EXPECT_LE(view->zoom(), 1.0);
}

TEST_F(SdfEditorFixture, magnifierFollowsTheMouseWhileEnabled)
{
    const auto lens = view->viewport()->findChild<lumlink::sdf::Magnifier*>();
    ASSERT_NE(lens, nullptr);
    view->setMagnifierEnabled(true);
    const QPoint at = viewportPoint(headerOf("sum"));
    QTest::mouseMove(view->viewport(), at);
    EXPECT_TRUE(lens->isVisible());
    EXPECT_EQ(lens->pos() + QPoint(lens->width() / 2, lens->height() / 2), at);

    // It shows the diagram enlarged: the block's header colour fills far more of the lens than
    // of a same-sized piece of the view.
    const QImage enlarged = lens->grab().toImage();
    EXPECT_FALSE(enlarged.isNull());
    const QColor header = view->viewport()->grab().toImage().pixelColor(at);
    int matching = 0;
    for (int y = 0; y < enlarged.height(); y += 4)
        for (int x = 0; x < enlarged.width(); x += 4)
            matching += enlarged.pixelColor(x, y) == header;
    EXPECT_GT(matching, 40);

    view->setMagnifierEnabled(false);
    EXPECT_FALSE(lens->isVisible());
}

TEST_F(SdfEditorFixture, paletteFiltersAndPlacesByDoubleClickAndDrop)
{
    QAction showPalette(nullptr);
    lumlink::sdf::BlockPalette palette(&showPalette);
    palette.resize(250, 500);
    EXPECT_FALSE(palette.isVisible());
    showPalette.trigger();
    ASSERT_TRUE(palette.isVisible());
    EXPECT_TRUE(palette.visibleTypeIds().contains("add"));
    EXPECT_TRUE(palette.visibleTypeIds().contains("delay"));
    palette.setFilterText("previous cycle");
    EXPECT_EQ(palette.visibleTypeIds(), QStringList{"delay"});

    QSignalSpy place(&palette, &lumlink::sdf::BlockPalette::placeRequested);
    QObject::connect(&palette, &lumlink::sdf::BlockPalette::placeRequested, view.get(),
                     [this](const QString& typeId) { view->placeBlockInView(typeId.toStdString()); });
    auto* tree = palette.findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    const auto found = tree->findItems("delay", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    QTreeWidgetItem* entry = found.front();
    const QRect cell = tree->visualItemRect(entry);
    // A real double-click starts with a press: the tree only acts on the item it was pressed on.
    QTest::mousePress(tree->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    ASSERT_EQ(place.count(), 1);
    ASSERT_NE(diagram()->block("delay1"), nullptr);

    QMimeData data;
    data.setData(lumlink::sdf::SDFView::ActorTypeMimeType, "not");
    const QPoint dropAt = viewportPoint(QPointF(700, 400));
    QDragEnterEvent enter(dropAt, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(dropAt, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    ASSERT_NE(diagram()->block("not1"), nullptr);
    EXPECT_EQ(block("not1").position, (kirogen::model::Position{700, 400}));
    EXPECT_EQ(stack.count(), 2);
}

TEST_F(SdfEditorFixture, exportsPdfPostScriptAndImagesOrNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString error;

    const QStringList pages = pdfPageTexts(*view, folder.filePath("count.pdf"));
    ASSERT_EQ(pages.size(), 1);
    const QString& text = pages.front();
    EXPECT_TRUE(text.contains("count")) << text.toStdString();
    EXPECT_TRUE(text.contains("writeCounter")) << text.toStdString();

    const QString psPath = folder.filePath("count.ps");
    ASSERT_TRUE(view->exporter().toPostScript(psPath, &error)) << error.toStdString();
    QFile ps(psPath);
    ASSERT_TRUE(ps.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ps.read(4) == "%!PS");

    const QRectF covered = view->diagramScene()->diagramRect();
    for (const char* name : {"count.png", "count.jpg"}) {
        const QString imagePath = folder.filePath(name);
        ASSERT_TRUE(view->exporter().toImage(imagePath, &error)) << error.toStdString();
        const QImage image(imagePath);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_NEAR(double(image.width()) / image.height(), covered.width() / covered.height(), 0.01);
        EXPECT_GE(image.width(), 2 * covered.width());
        // On white, without the editing grid (exactly so where the format is lossless).
        if (imagePath.endsWith(".png")) {
            for (int x = 0; x < image.width(); x += 7)
                ASSERT_EQ(image.pixelColor(x, 2), QColor(Qt::white)) << "at " << x;
        }
    }

    EXPECT_FALSE(view->exporter().toImage(folder.filePath("count.nope"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.filePath("count.nope")));
    const QString unwritable = folder.filePath("missing/count.pdf");
    EXPECT_FALSE(view->exporter().toPdf(unwritable, &error));
    EXPECT_FALSE(view->exporter().toPostScript(folder.filePath("missing/count.ps"), &error));
    EXPECT_FALSE(view->exporter().toImage(folder.filePath("missing/count.png"), &error));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4);
}

// On screen a block is copied from a picture kept of it and the grid from the view's background
// cache: every change of a block, its selection or the grid must show, and pages must still get
// the drawing itself with its texts.
TEST_F(SdfEditorFixture, blocksOnScreenFollowTheirChangesAndExportAsText)
{
    const QRect area = view->mapFromScene(item("two")->sceneBoundingRect()).boundingRect();
    const auto shown = [&] { return view->viewport()->grab().toImage().copy(area); };
    const QImage plain = shown();

    click(headerOf("two"));
    ASSERT_TRUE(item("two")->isSelected());
    const QImage selected = shown();
    EXPECT_NE(selected, plain);

    auto parameters = block("two").parameters;
    parameters["value"] = "7";
    stack.push(new lumlink::sdf::commands::SetParametersCommand(document.get(), "two", parameters));
    ASSERT_EQ(block("two").parameters.at("value"), "7");
    const QImage edited = shown();
    EXPECT_NE(edited, selected);
    stack.undo();
    EXPECT_EQ(shown(), selected);
    view->scene()->clearSelection();
    EXPECT_EQ(shown(), plain);

    // The grid is kept as a picture too: a new grid size shows at once, and so does the old one.
    auto& settings = lum::qt::gui::option::EditorSettings::singleton();
    const int grid = settings.gridSize();
    const QImage whole = view->viewport()->grab().toImage();
    settings.setGridSize(grid * 2);
    EXPECT_NE(view->viewport()->grab().toImage(), whole);
    settings.setGridSize(grid);
    EXPECT_EQ(view->viewport()->grab().toImage(), whole);

    // A block far out makes the page's scale one at which a block's picture would be kept;
    // placed after an undo, its step replaces the undone one and it is still reported as placed.
    ASSERT_TRUE(view->placeBlock("add", QPointF(2400, 1400)));
    view->fit();
    view->viewport()->grab();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QStringList pages = pdfPageTexts(*view, folder.filePath("count.pdf"));
    ASSERT_FALSE(pages.isEmpty());
    const QString& text = pages.front();
    for (const char* drawn : {"readIncrement", "hundred", "gvwrite", "value = 2", "add1"})
        EXPECT_TRUE(text.contains(drawn)) << drawn << " in " << text.toStdString();
}
