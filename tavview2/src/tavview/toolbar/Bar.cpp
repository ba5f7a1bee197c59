#include "tavview/toolbar/Bar.h"

#include "tavview/Actions.h"
#include "tavview/toolbar/Brennic.h"
#include "tavview/toolbar/DummyTavikWidget.h"

#include <lum/qt/translation/Manager.h>
#include <lumlink/Actions.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <QShowEvent>

namespace tavview::toolbar {

using lumlink::project::Device;
using lumlink::project::Project;

Bar::Bar(QWidget* parent)
    : QToolBar(parent), _defaultStartAction(Project::createStartAction(this)),
      _defaultStartAllAction(Project::createStartAllAction(this)),
      _defaultSuspendAction(Project::createSuspendAction(this)),
      _defaultTerminateAction(Project::createTerminateAction(this)), _startAction(_defaultStartAction),
      _startAllAction(_defaultStartAllAction), _suspendAction(_defaultSuspendAction),
      _terminateAction(_defaultTerminateAction)
{
    setObjectName(QStringLiteral("Toolbar"));
    setMinimumHeight(31);
    const lumlink::Actions& actions = lumlink::Actions::singleton();
    addAction(actions.newProjectAction);
    addAction(actions.newSdfAction);
    addAction(actions.openAction);
    addAction(actions.saveAction);
    _executionAnchor = addSeparator();
    insertAction(_executionAnchor, _startAllAction);
    insertAction(_executionAnchor, _startAction);
    insertAction(_executionAnchor, _suspendAction);
    insertAction(_executionAnchor, _terminateAction);
    addAction(actions.magnifierAction);
    addSeparator();
    addAction(actions.toolbarLibraryAction);
    // The upload command stands before the robot's own widget.
    addAction(tavview::Actions::singleton().uploadCurProj);
    _dummyWidgetAction = addWidget(new DummyTavikWidget(this));
    _dummyWidgetAction->setVisible(true);
    _brandWidgetAction = addWidget(new Brennic(this));

    connect(tavview::Actions::singleton().showToolbar, &QAction::triggered, this,
            &Bar::on_showToolbar_triggered);
    const lumlink::project::Manager& manager = lumlink::project::Manager::singleton();
    connect(&manager, &lumlink::project::Manager::activeProjectChanged, this, &Bar::on_activeProjectChanged);
    connect(&manager, &lumlink::project::Manager::projectDeviceAdded, this, &Bar::on_projectDeviceAdded);
    connect(&manager, &lumlink::project::Manager::projectDeviceRemoved, this, &Bar::on_projectDeviceRemoved);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Bar::translate);
    translate();
}

void Bar::translate()
{
    setWindowTitle(tr("Toolbar"));
    setAccessibleName(tr("Toolbar"));
}

void Bar::showEvent(QShowEvent* event)
{
    tavview::Actions::singleton().showToolbar->setChecked(true);
    event->accept();
}

void Bar::hideEvent(QHideEvent* event)
{
    tavview::Actions::singleton().showToolbar->setChecked(false);
    event->accept();
}

void Bar::on_showToolbar_triggered()
{
    setVisible(tavview::Actions::singleton().showToolbar->isChecked());
}

void Bar::on_activeProjectChanged(Project* project)
{
    _currProject = project;
    for (QAction* action : {_startAllAction, _startAction, _suspendAction, _terminateAction})
        removeAction(action);
    if (project) {
        _startAllAction = project->startAllAction();
        _startAction = project->startAction();
        _suspendAction = project->suspendAction();
        _terminateAction = project->terminateAction();
    } else {
        _startAllAction = _defaultStartAllAction;
        _startAction = _defaultStartAction;
        _suspendAction = _defaultSuspendAction;
        _terminateAction = _defaultTerminateAction;
    }
    for (QAction* action : {_startAllAction, _startAction, _suspendAction, _terminateAction}) {
        insertAction(_executionAnchor, action);
        action->setVisible(true);
    }
    removeTavikWidget();
    updateTavikToolbar(nullptr);
    update();
}

void Bar::removeTavikWidget()
{
    // Deleting the widget's action removes it from the toolbar and deletes the widget.
    delete _tavikWidgetAction;
    _tavikWidgetAction = nullptr;
    _dummyWidgetAction->setVisible(true);
    _currDevice = nullptr;
}

void Bar::updateTavikToolbar(Device* device)
{
    if (device && !device->isRobot())
        return;
    if (!device) {
        if (!_currProject)
            return;
        for (Device* candidate : _currProject->devices()) {
            if (candidate->isRobot()) {
                device = candidate;
                break;
            }
        }
        if (!device)
            return;
    }
    if (_currDevice)
        return;
    if (QWidget* widget = device->widget(QStringLiteral("toolbar"), true)) {
        _dummyWidgetAction->setVisible(false);
        _tavikWidgetAction = insertWidget(_brandWidgetAction, widget);
        _tavikWidgetAction->setVisible(true);
    }
    _currDevice = device;
}

void Bar::on_projectDeviceAdded(Device* device, Project* project)
{
    if (project != _currProject)
        return;
    updateTavikToolbar(device);
}

void Bar::on_projectDeviceRemoved(Device* device, Project* project)
{
    if (project != _currProject || device != _currDevice)
        return;
    removeTavikWidget();
    for (Device* remaining : project->devices())
        on_projectDeviceAdded(remaining, project);
}

} // namespace tavview::toolbar
