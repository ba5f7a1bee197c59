#pragma once

#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/ProjectWriter.h>
#include <lumlink/sdf/BlockItem.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sdf/SDFView.h>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QUndoStack>
#include <xercesc/dom/DOMDocument.hpp>
#include <gtest/gtest.h>
#include <ProjectTestSupport.h>
#include <memory>

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
        xercesc::DOMDocument* saved = kirogen::model::ProjectWriter(*project).write();
        const std::string text = util::XmlSerializer::toString(saved);
        saved->release();
        return projecttest::fromText(text, "saved");
    }

    QUndoStack stack;
    std::shared_ptr<kirogen::model::Project> project;
    std::unique_ptr<lumlink::sdf::DiagramDocument> document;
    std::unique_ptr<lumlink::sdf::SDFView> view;
};
