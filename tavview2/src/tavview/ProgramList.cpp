#include "tavview/ProgramList.h"

#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Project.h>

namespace tavview {

ProgramList::ProgramList(lumlink::project::Project* project, QWidget* parent)
    : QListWidget(parent), _project(project)
{
    setObjectName(QStringLiteral("programList"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(project, &lumlink::project::Project::programAdded, this, &ProgramList::refill);
    connect(project, &lumlink::project::Project::programRemoved, this, &ProgramList::refill);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &ProgramList::translate);
    translate();
}

void ProgramList::translate()
{
    setAccessibleName(tr("Programs of the project"));
    refill();
}

void ProgramList::refill()
{
    clear();
    const auto model = _project->kirogenProject();
    if (!model)
        return;
    for (const auto& chart : model->sfcModels())
        addItem(tr("Sequence chart: %1").arg(QString::fromStdString(chart->name())));
    for (const auto& [name, diagram] : model->diagrams())
        addItem(tr("Function-block diagram: %1").arg(QString::fromStdString(name)));
}

} // namespace tavview
