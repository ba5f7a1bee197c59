#pragma once

#include <lumlink/print/SceneExport.h>
#include <QGraphicsView>

namespace lumlink {

// What both program editors do alike: zoom in steps within fixed bounds (also Ctrl + mouse
// wheel), fit the program into the window, select all and delete from the keyboard, and hand
// the program to an export.
class EditorView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit EditorView(QWidget* parent = nullptr);

    double zoom() const { return transform().m11(); }
    // The whole program, for writing it as an image or a document.
    print::SceneExport exporter() const;

public slots:
    void zoomIn();
    void zoomOut();
    // Shows the whole program; a small one stays at its natural size.
    void fit();
    void selectAll();
    // The selected items go as one undo step; nothing while the project is protected.
    virtual void deleteSelection() = 0;

protected:
    // The scene rectangle the program's items cover, and the program's name.
    virtual QRectF programRect() const = 0;
    virtual QString programName() const = 0;

    void wheelEvent(QWheelEvent* event) override;
    // Delete and Backspace delete the selection; the select-all keys select everything.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void zoomBy(double factor);
};

} // namespace lumlink
