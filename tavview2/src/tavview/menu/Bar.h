#pragma once

#include <QMenuBar>

namespace tavview::menu {

// The main window's menu bar: File, Edit, Simulation, View, Extras, Window, Help.
class Bar : public QMenuBar
{
    Q_OBJECT

public:
    explicit Bar(QWidget* parent = nullptr);
};

} // namespace tavview::menu
