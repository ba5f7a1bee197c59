#pragma once

#include <QDockWidget>

class QAction;
class QLineEdit;

namespace lumlink::sdf {

class PaletteTree;

// The dock with every loaded actor type by category and a filter field. A type is placed by
// dragging it onto a diagram or by double-clicking it (placeRequested()). Triggering the given
// action shows the palette and brings it to the front.
class BlockPalette : public QDockWidget
{
    Q_OBJECT

public:
    BlockPalette(QAction* action, QWidget* parent = nullptr);

    // Reads the actor types the kit has loaded.
    void reload();
    // Shows the types whose id, category or help contains the text.
    void setFilterText(const QString& text);
    // The ids of the types shown, in display order.
    QStringList visibleTypeIds() const;

signals:
    void placeRequested(const QString& typeId);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void applyFilter();

    QLineEdit* _filter;
    PaletteTree* _tree;
};

} // namespace lumlink::sdf
