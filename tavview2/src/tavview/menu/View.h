#pragma once

#include <QMenu>

namespace tavview::menu {

class View : public QMenu
{
    Q_OBJECT

public:
    explicit View(QWidget* parent = nullptr);

public slots:
    void translate();
};

} // namespace tavview::menu
