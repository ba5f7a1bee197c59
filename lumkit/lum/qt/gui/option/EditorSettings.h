#pragma once

#include <QObject>

namespace lum::qt::gui::option {

// What the program editors read: the grid, whether items snap to it, and whether the editors show
// the current values while a project is simulated. Kept in the user's settings store under
// "editor/...". Every instance reads the store when created; the editors use singleton().
class EditorSettings : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinimumGridSize = 2;
    static constexpr int MaximumGridSize = 100;
    static constexpr int DefaultGridSize = 10;

    static EditorSettings& singleton();

    explicit EditorSettings(QObject* parent = nullptr);

    // In scene pixels, within MinimumGridSize..MaximumGridSize.
    int gridSize() const { return _gridSize; }
    bool snapToGrid() const { return _snapToGrid; }
    bool showValuesWhileSimulating() const { return _showValuesWhileSimulating; }

    // Each setter stores the value and emits changed() when it differs; a grid size out of range
    // is clamped.
    void setGridSize(int size);
    void setSnapToGrid(bool snap);
    void setShowValuesWhileSimulating(bool show);

signals:
    void changed();

private:
    int _gridSize;
    bool _snapToGrid;
    bool _showValuesWhileSimulating;
};

} // namespace lum::qt::gui::option
