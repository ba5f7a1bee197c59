#pragma once

#include <QFileInfo>
#include <QMap>
#include <QObject>
#include <QString>

namespace lumlink::project {

class Device;
class Project;

// Holds the workbench's project: at most one is active, and a new or opened project replaces
// it only once the new one exists. The signals carry the active project's changes to the
// main window and the toolbar.
class Manager : public QObject
{
    Q_OBJECT

public:
    static Manager& singleton();

    // Null before the first project.
    Project* activeProject() const { return _active; }

    // A new, empty project becomes the active one.
    Project* createNewProject();
    // The project of the file (plain ".tkp2" or gzip ".tkpx") becomes the active one; null when
    // it cannot be read, with the reason (file and line) in the message window and the active
    // project unchanged. programsToOpen receives the programs that were open in tabs when it
    // was saved, by tab index, and tabToSelect the current tab (-1 for none).
    Project* createProjectFromFile(const QFileInfo& fileInfo, QMap<int, QString>* programsToOpen,
                                   int* tabToSelect);

    // Ends every simulation of the manager's projects; returns once their threads are gone.
    void terminateExecutions();

    // Drops the active project (at the end of the program, before the runtime kit goes).
    void closeProject();

signals:
    void activeProjectChanged(lumlink::project::Project* project);
    void projectDeviceAdded(lumlink::project::Device* device, lumlink::project::Project* project);
    void projectDeviceRemoved(lumlink::project::Device* device, lumlink::project::Project* project);
    void projectDisplayNameChanged(const QString& name, lumlink::project::Project* project);
    void projectWasModified(lumlink::project::Project* project);

private:
    Manager() = default;

    void activate(Project* project);

    Project* _active = nullptr;
};

} // namespace lumlink::project
