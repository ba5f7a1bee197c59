#include "tavview/menu/Bar.h"

#include "tavview/menu/Edit.h"
#include "tavview/menu/Extras.h"
#include "tavview/menu/File.h"
#include "tavview/menu/Help.h"
#include "tavview/menu/Simulation.h"
#include "tavview/menu/View.h"
#include "tavview/menu/Window.h"

namespace tavview::menu {

Bar::Bar(QWidget* parent) : QMenuBar(parent), _edit(new Edit(nullptr))
{
    setObjectName(QStringLiteral("menuBar"));
    const QList<QMenu*> menus = {new File(nullptr),       _edit,
                                 new Simulation(nullptr), new View(nullptr),
                                 new Extras(nullptr),     new Window(nullptr),
                                 new Help(nullptr)};
    for (QMenu* menu : menus) {
        menu->setParent(this, menu->windowFlags());
        addMenu(menu);
    }
}

} // namespace tavview::menu
