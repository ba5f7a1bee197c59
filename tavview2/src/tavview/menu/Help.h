#pragma once

#include <QMenu>

namespace tavview::menu {

class Help : public QMenu
{
    Q_OBJECT

public:
    explicit Help(QWidget* parent = nullptr);

public slots:
    void translate();
};

} // namespace tavview::menu
