#pragma once

#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/ProjectWriter.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/ParameterDialog.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <ProjectTestSupport.h>
#include <functional>
#include <memory>
#include <vector>

// A function-block editor on a copy of the shipped counter example, driven with the mouse and keys.
class SdfEditorFixture : public ::testing::Test
{
protected:
    void SetUp() override { open(TAVVIEW_DIST_DIR "/examples/counter.tkp2", "count"); }

    void open(const std::string& file, const std::string& diagram)
    {
        projecttest::loadSystem();
        view.reset();
        project = projecttest::fromFile(file);
        document = std::make_unique<lumlink::sdf::DiagramDocument>(project, diagram, &stack);
        view = std::make_unique<lumlink::sdf::SDFView>(document.get());
        view->resize(900, 600);
        view->show();
        view->setTransform(QTransform());
        view->centerOn(view->diagramScene()->diagramRect().center());
    }

    std::shared_ptr<const kirogen::model::FunctionBlockDiagram> diagram() const
    {
        return document->diagram();
    }

    const kirogen::model::FunctionBlock& block(const std::string& id) const
    {
        const auto* found = diagram()->block(id);
        EXPECT_NE(found, nullptr) << id;
        return *found;
    }

    lumlink::sdf::BlockItem* item(const std::string& id) const { return view->diagramScene()->blockItem(id); }

    QPoint viewportPoint(const QPointF& scenePoint) const { return view->mapFromScene(scenePoint); }

    // A point inside the block's header, where a press grabs the block.
    QPointF headerOf(const std::string& id) const { return item(id)->mapToScene(QPointF(40, 10)); }
    QPointF portOf(const std::string& id, const std::string& port) const
    {
        return item(id)->portScenePosition(port);
    }

    void click(const QPointF& scenePoint, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, viewportPoint(scenePoint));
    }

    // QTest's mouseMove carries no buttons: a drag is sent as the events a real one makes.
    void drag(const QPointF& from, const QPointF& to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* viewport = view->viewport();
        const QPoint start = viewportPoint(from);
        const QPoint end = viewportPoint(to);
        QTest::mousePress(viewport, Qt::LeftButton, modifiers, start);
        for (int step = 1; step <= 4; ++step) {
            const QPoint at = start + (end - start) * step / 4;
            QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             modifiers);
            QApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, modifiers, end);
    }

    // The project saved and read back, as a save and reopen by the user would.
    std::shared_ptr<kirogen::model::Project> reloaded() const
    {
        return projecttest::fromText(kirogen::model::ProjectWriter(*project).write(), "saved");
    }

    QUndoStack stack;
    std::shared_ptr<kirogen::model::Project> project;
    std::unique_ptr<lumlink::sdf::DiagramDocument> document;
    std::unique_ptr<lumlink::sdf::SDFView> view;
};

// Function-block editors on projects opened in the workbench the way a user opens them: each
// project through the project manager (which replaces the one before), each editor on a
// diagram of the project with its undo stack, protection and clipboard.
class SdfProjectFixture : public ::testing::Test
{
protected:
    void SetUp() override { projecttest::loadSystem(); }

    void TearDown() override
    {
        views.clear();
        documents.clear();
        lumlink::project::Manager::singleton().closeProject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The project replaces the one before; its editors go with it.
    lumlink::project::Project* openProject(const QString& file)
    {
        views.clear();
        documents.clear();
        QMap<int, QString> tabs;
        int current = -1;
        lumlink::project::Project* project =
            lumlink::project::Manager::singleton().createProjectFromFile(QFileInfo(file), &tabs, &current);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return project;
    }

    lumlink::sdf::SDFView* edit(lumlink::project::Project* project, const std::string& diagram)
    {
        documents.push_back(std::make_unique<lumlink::sdf::DiagramDocument>(project, diagram));
        views.push_back(std::make_unique<lumlink::sdf::SDFView>(documents.back().get()));
        lumlink::sdf::SDFView* view = views.back().get();
        view->resize(900, 600);
        view->show();
        view->setTransform(QTransform());
        view->centerOn(view->diagramScene()->diagramRect().center());
        return view;
    }

    static QPoint at(lumlink::sdf::SDFView* view, const QPointF& scenePoint)
    {
        return view->mapFromScene(scenePoint);
    }
    static lumlink::sdf::BlockItem* item(lumlink::sdf::SDFView* view, const std::string& id)
    {
        return view->diagramScene()->blockItem(id);
    }
    static QPointF headerOf(lumlink::sdf::SDFView* view, const std::string& id)
    {
        return item(view, id)->mapToScene(QPointF(40, 10));
    }
    static void click(lumlink::sdf::SDFView* view, const std::string& id,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, at(view, headerOf(view, id)));
    }
    static void drag(lumlink::sdf::SDFView* view, const QPointF& from, const QPointF& to)
    {
        QWidget* viewport = view->viewport();
        const QPoint start = at(view, from);
        const QPoint end = at(view, to);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
        for (int step = 1; step <= 4; ++step) {
            const QPoint point = start + (end - start) * step / 4;
            QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, end);
    }
    static void key(lumlink::sdf::SDFView* view, QKeySequence::StandardKey standard)
    {
        const QKeySequence sequence(standard);
        const int combined = sequence[0];
        QTest::keyClick(view->viewport(), static_cast<Qt::Key>(combined & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(combined & Qt::KeyboardModifierMask));
    }

    // Double-clicks the block and lets handle() work the parameter dialog that opens; a dialog
    // still open afterwards is cancelled, so that a failing test cannot hang.
    static bool withParameterDialog(lumlink::sdf::SDFView* view, const std::string& block,
                                    const std::function<void(lumlink::sdf::ParameterDialog*)>& handle)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<lumlink::sdf::ParameterDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = true;
            handle(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at(view, headerOf(view, block)));
        return shown;
    }
    static void clickOk(lumlink::sdf::ParameterDialog* dialog)
    {
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    }
    static void typeInto(QWidget* field, const QString& text)
    {
        auto* line = qobject_cast<QLineEdit*>(field);
        ASSERT_NE(line, nullptr);
        line->selectAll();
        QTest::keyClicks(line, text);
    }
    static void choose(QWidget* field, const QString& text)
    {
        auto* choice = qobject_cast<QComboBox*>(field);
        ASSERT_NE(choice, nullptr);
        ASSERT_GE(choice->findText(text), 0) << text.toStdString();
        choice->setCurrentIndex(choice->findText(text));
    }

    // The diagram as the project holds it now.
    static std::shared_ptr<const kirogen::model::FunctionBlockDiagram>
    diagramOf(lumlink::project::Project* project, const std::string& name)
    {
        return project->kirogenProject()->diagram(name);
    }

    // The project as a save writes it, read back: an edit must never leave one that fails.
    static std::shared_ptr<kirogen::model::Project> reloaded(lumlink::project::Project* project)
    {
        return projecttest::fromText(project->saveToMem().toStdString(), "saved");
    }

    QTemporaryDir dir;
    std::vector<std::unique_ptr<lumlink::sdf::DiagramDocument>> documents;
    std::vector<std::unique_ptr<lumlink::sdf::SDFView>> views;
};
