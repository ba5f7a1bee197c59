#pragma once

#include "lum/qt/gui/option/Page.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace lum::qt::gui::option {

// "Editor": grid size, snap to grid and the values shown while simulating, written to
// EditorSettings::singleton() at once.
class EditorPage : public Page
{
    Q_OBJECT

public:
    explicit EditorPage(QWidget* parent = nullptr);

private slots:
    void translate();

private:
    QLabel* _gridSizeLabel;
    QSpinBox* _gridSize;
    QCheckBox* _snapToGrid;
    QCheckBox* _showValues;
};

} // namespace lum::qt::gui::option
