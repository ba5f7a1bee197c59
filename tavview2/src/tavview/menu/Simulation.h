#pragma once

#include <QMenu>

namespace tavview::menu {

// The active project's four execution commands, gathered each time the menu opens.
class Simulation : public QMenu
{
    Q_OBJECT

public:
    explicit Simulation(QWidget* parent = nullptr);

public slots:
    void translate();
    void on_aboutToShow();
};

} // namespace tavview::menu
