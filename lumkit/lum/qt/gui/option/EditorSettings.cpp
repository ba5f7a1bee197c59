#include "lum/qt/gui/option/EditorSettings.h"

#include <QSettings>

namespace lum::qt::gui::option {

namespace {
const QString GridSizeKey = QStringLiteral("editor/gridSize");
const QString SnapToGridKey = QStringLiteral("editor/snapToGrid");
const QString ShowValuesKey = QStringLiteral("editor/showValuesWhileSimulating");
} // namespace

EditorSettings& EditorSettings::singleton()
{
    static EditorSettings settings;
    return settings;
}

EditorSettings::EditorSettings(QObject* parent) : QObject(parent)
{
    const QSettings store;
    // A hand-edited store may hold anything; the editors must always get a usable grid.
    bool ok = false;
    const int size = store.value(GridSizeKey, DefaultGridSize).toInt(&ok);
    _gridSize = ok ? qBound(MinimumGridSize, size, MaximumGridSize) : DefaultGridSize;
    _snapToGrid = store.value(SnapToGridKey, true).toBool();
    _showValuesWhileSimulating = store.value(ShowValuesKey, true).toBool();
}

void EditorSettings::setGridSize(int size)
{
    size = qBound(MinimumGridSize, size, MaximumGridSize);
    if (size == _gridSize)
        return;
    _gridSize = size;
    QSettings().setValue(GridSizeKey, size);
    emit changed();
}

void EditorSettings::setSnapToGrid(bool snap)
{
    if (snap == _snapToGrid)
        return;
    _snapToGrid = snap;
    QSettings().setValue(SnapToGridKey, snap);
    emit changed();
}

void EditorSettings::setShowValuesWhileSimulating(bool show)
{
    if (show == _showValuesWhileSimulating)
        return;
    _showValuesWhileSimulating = show;
    QSettings().setValue(ShowValuesKey, show);
    emit changed();
}

} // namespace lum::qt::gui::option
