#include "lum/qt/gui/option/EditorPage.h"

#include "lum/qt/gui/option/EditorSettings.h"
#include "lum/qt/translation/Manager.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace lum::qt::gui::option {

EditorPage::EditorPage(QWidget* parent)
    : Page(parent), _gridSizeLabel(new QLabel(this)), _gridSize(new QSpinBox(this)),
      _snapToGrid(new QCheckBox(this)), _showValues(new QCheckBox(this))
{
    setObjectName(QStringLiteral("editorPage"));
    _gridSize->setObjectName(QStringLiteral("gridSize"));
    _snapToGrid->setObjectName(QStringLiteral("snapToGrid"));
    _showValues->setObjectName(QStringLiteral("showValuesWhileSimulating"));
    _gridSizeLabel->setBuddy(_gridSize);

    EditorSettings& settings = EditorSettings::singleton();
    _gridSize->setRange(EditorSettings::MinimumGridSize, EditorSettings::MaximumGridSize);
    _gridSize->setValue(settings.gridSize());
    _snapToGrid->setChecked(settings.snapToGrid());
    _showValues->setChecked(settings.showValuesWhileSimulating());

    auto* layout = new QFormLayout(this);
    layout->addRow(_gridSizeLabel, _gridSize);
    layout->addRow(_snapToGrid);
    layout->addRow(_showValues);

    // Connected after the initial values, so that opening the page stores nothing.
    connect(_gridSize, QOverload<int>::of(&QSpinBox::valueChanged), &settings, &EditorSettings::setGridSize);
    connect(_snapToGrid, &QCheckBox::toggled, &settings, &EditorSettings::setSnapToGrid);
    connect(_showValues, &QCheckBox::toggled, &settings, &EditorSettings::setShowValuesWhileSimulating);
    connect(&translation::Manager::singleton(), &translation::Manager::languageChanged, this,
            &EditorPage::translate);
    translate();
}

void EditorPage::translate()
{
    setTitle(tr("Editor"));
    _gridSizeLabel->setText(tr("&Grid size:"));
    _gridSize->setSuffix(tr(" px"));
    _gridSize->setAccessibleName(tr("Grid size"));
    _gridSize->setToolTip(tr("The distance between two grid points in the program editors"));
    _snapToGrid->setText(tr("&Snap to grid"));
    _snapToGrid->setAccessibleName(tr("Snap to grid"));
    _snapToGrid->setToolTip(tr("Placed and moved blocks and steps jump to the nearest grid point"));
    _showValues->setText(tr("Show &values while simulating"));
    _showValues->setAccessibleName(tr("Show values while simulating"));
    _showValues->setToolTip(
        tr("The editors show the current values of connections and variables during a simulation"));
}

} // namespace lum::qt::gui::option
