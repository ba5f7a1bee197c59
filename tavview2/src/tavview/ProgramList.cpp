#include "tavview/ProgramList.h"

#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Project.h>
#include <QListWidget>
#include <QVBoxLayout>

namespace tavview {

ProgramList::ProgramList(lumlink::project::Project* project, QWidget* parent)
    : QGroupBox(parent), _project(project), _list(new QListWidget(this))
{
    setObjectName(QStringLiteral("programList"));
    (new QVBoxLayout(this))->addWidget(_list);
    connect(project, &lumlink::project::Project::programAdded, this, &ProgramList::refill);
    connect(project, &lumlink::project::Project::programRemoved, this, &ProgramList::refill);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &ProgramList::translate);
    translate();
}

void ProgramList::translate()
{
    setTitle(tr("Programs of the project (list only, no editor)"));
    _list->setAccessibleName(tr("Programs of the project"));
    refill();
}

void ProgramList::refill()
{
    _list->clear();
    const auto model = _project->kirogenProject();
    if (!model)
        return;
    for (const auto& chart : model->sfcModels())
        _list->addItem(tr("Sequence chart: %1").arg(QString::fromStdString(chart->name())));
    for (const auto& [name, diagram] : model->diagrams())
        _list->addItem(tr("Function-block diagram: %1").arg(QString::fromStdString(name)));
}

} // namespace tavview
