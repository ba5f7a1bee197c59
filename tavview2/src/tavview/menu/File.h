#pragma once

#include <QMenu>

namespace tavview::menu {

class File : public QMenu
{
    Q_OBJECT

public:
    explicit File(QWidget* parent = nullptr);

public slots:
    void translate();

private:
    QMenu* _importMenu;
    QMenu* _exportMenu;
};

} // namespace tavview::menu
