#pragma once

#include <QMenuBar>

namespace tavview::menu {

class Edit;

// The main window's menu bar: File, Edit, Simulation, View, Extras, Window, Help.
class Bar : public QMenuBar
{
    Q_OBJECT

public:
    explicit Bar(QWidget* parent = nullptr);

    Edit* edit() const { return _edit; }

private:
    Edit* _edit;
};

} // namespace tavview::menu
