#include "tavview/menu/Simulation.h"

#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>

namespace tavview::menu {

Simulation::Simulation(QWidget* parent) : QMenu(parent)
{
    connect(this, &QMenu::aboutToShow, this, &Simulation::on_aboutToShow);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Simulation::translate);
    translate();
}

void Simulation::translate()
{
    setTitle(tr("&Simulation"));
}

void Simulation::on_aboutToShow()
{
    clear();
    const lumlink::project::Project* project = lumlink::project::Manager::singleton().activeProject();
    if (!project)
        return;
    addAction(project->startAllAction());
    addAction(project->startAction());
    addAction(project->suspendAction());
    addAction(project->terminateAction());
}

} // namespace tavview::menu
