#pragma once

#include <QMenu>

namespace tavview::menu {

class Extras : public QMenu
{
    Q_OBJECT

public:
    explicit Extras(QWidget* parent = nullptr);

public slots:
    void translate();
};

} // namespace tavview::menu
