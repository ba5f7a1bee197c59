#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <lum/qt/log/Log.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/ProjectFile.h>
#include <lumlink/project/Simulation.h>
#include <util/XTime.h>

namespace lumlink::project {

Manager& Manager::singleton()
{
    static Manager instance;
    return instance;
}

Project* Manager::createNewProject()
{
    auto* project =
        new Project(kirogen::model::ProjectEditor::createEmpty(nullptr, util::XTime()), QFileInfo());
    activate(project);
    return project;
}

Project* Manager::createProjectFromFile(const QFileInfo& fileInfo, QMap<int, QString>* programsToOpen,
                                        int* tabToSelect)
{
    const QString path = fileInfo.absoluteFilePath();
    QString error;
    const auto model = ProjectFile::read(path, &error);
    if (!model) {
        lum::qt::log::Log::log(lum::qt::log::Log::Error, tr("Could not open %1: %2").arg(path, error));
        return nullptr;
    }
    auto* project = new Project(model, QFileInfo(path));
    const QStringList tabs = project->openTabs();
    if (programsToOpen) {
        programsToOpen->clear();
        for (int i = 0; i < tabs.size(); ++i)
            programsToOpen->insert(i, tabs[i]);
    }
    if (tabToSelect)
        *tabToSelect = tabs.indexOf(project->currentTab());
    activate(project);
    return project;
}

void Manager::activate(Project* project)
{
    Project* previous = _active;
    if (previous) {
        // The old run ends now; nothing of it reaches the new project's listeners.
        previous->simulation()->terminate();
        disconnect(previous, nullptr, this, nullptr);
    }
    _active = project;
    // What was cut or copied in the project before can be pasted into this one.
    if (previous && !previous->isClipboardEmpty())
        project->setClipboard(previous->clipboard());
    connect(project, &Project::wasModified, this, &Manager::projectWasModified);
    connect(project, &Project::displayNameChanged, this, &Manager::projectDisplayNameChanged);
    connect(project, &Project::deviceAdded, this,
            [this, project](Device* device) { emit projectDeviceAdded(device, project); });
    connect(project, &Project::deviceRemoved, this,
            [this, project](Device* device) { emit projectDeviceRemoved(device, project); });
    emit activeProjectChanged(project);
    // Deferred: the old project may be the sender of what led here.
    if (previous)
        previous->deleteLater();
}

void Manager::terminateExecutions()
{
    if (_active)
        _active->simulation()->terminate();
}

void Manager::closeProject()
{
    if (!_active)
        return;
    Project* project = _active;
    _active = nullptr;
    disconnect(project, nullptr, this, nullptr);
    emit activeProjectChanged(nullptr);
    delete project;
}

} // namespace lumlink::project
