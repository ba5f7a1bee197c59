#pragma once

#include <kirogen/model/EditorLayout.h>
#include <QByteArray>
#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

class QAction;
class QUndoCommand;
class QUndoStack;
class QWidget;

namespace kirogen::model {
class Project;
class ProjectEditor;
} // namespace kirogen::model

namespace lumlink::project {

class Device;
class DevicesWindow;
class GlobalVariablesWindow;
class Simulation;
class View;

// A project open in the workbench: the runtime model with an undo stack, the modified state,
// its file, protection, devices, a clipboard and its simulation. Every change goes through
// the undo stack as a command that edits the model through kirogen::model::ProjectEditor;
// the signals below follow each change, and views update from them.
class Project : public QObject
{
    Q_OBJECT

public:
    // A project read from fileInfo, or a new one when fileInfo is empty.
    Project(std::shared_ptr<kirogen::model::Project> model, const QFileInfo& fileInfo,
            QObject* parent = nullptr);
    ~Project() override;

    std::shared_ptr<kirogen::model::Project> kirogenProject() const { return _model; }
    kirogen::model::ProjectEditor& editor() const { return *_editor; }

    QFileInfo fileInfo() const { return _fileInfo; }
    // The file's base name, "Unnamed" for a project never saved.
    QString displayName() const;
    // No variables, devices or programs.
    bool isEmpty() const;

    QUndoStack* undoStack() const { return _undoStack; }
    QAction* undoAction() const { return _undoAction; }
    QAction* redoAction() const { return _redoAction; }

    // Modified = the layout changed or the undo stack is away from its clean state.
    bool isModified() const;
    bool isLayoutModified() const { return _layoutModified; }
    void setLayoutModified(bool modified);

    // The editor tabs to save with the project: program names in tab order and the current
    // one. Programs that no longer exist are left out. The layout flag tells whether they
    // differ from the tabs of the last save (or of the last time the flag was cleared).
    void setOpenTabs(const QStringList& programs, const QString& current);
    QStringList openTabs() const;
    QString currentTab() const;

    // Writes the file atomically: on failure the old file stays as it was, the project stays
    // modified and the reason goes to the message window. ".tkp2" is plain, any other name gzip.
    bool save();
    bool saveAs(const QFileInfo& fileInfo);
    // The project's plain XML, as a ".tkp2" file would hold it.
    QByteArray saveToMem() const;

    // Protection. The file holds only a salted key. password() is the password entered or
    // set in this session; for a protected project whose password was not entered yet it is
    // the stored key in hexadecimal: never empty while protected.
    QString password() const;
    bool isProtected() const;
    bool passwordValidated() const;
    // Protected and not validated: every edit is refused.
    bool isLocked() const { return isProtected() && !passwordValidated(); }
    bool validatePassword(const QString& password);
    // One undoable step; an empty password removes the protection. Refused while locked.
    bool setPassword(const QString& password);

    // The project's devices in model order.
    QList<Device*> devices() const { return _devices; }
    Device* device(const QString& name) const;
    // Adds a device made for this project (Device::create) as one undoable step.
    bool addDevice(Device* device);
    bool removeDevice(Device* device);
    // A device's parameter or configuration value, as text in its type; one undoable step.
    bool setDeviceParameter(Device* device, const QString& name, const QString& value);
    bool setDeviceConfigValue(Device* device, const QString& name, const QString& value);

    // Global variables, each change one undoable step; values are text in the type's form.
    bool addGlobalVariable(const QString& name, const QString& typeName, const QString& value);
    bool removeGlobalVariable(const QString& name);
    bool renameGlobalVariable(const QString& name, const QString& newName);
    bool setGlobalVariableValue(const QString& name, const QString& value);

    // Renames a diagram or a sequence chart as one undoable step; the steps that run a renamed
    // diagram follow. Refused (false, the reason in lastError()) for an empty, invalid or taken
    // name and while locked.
    bool renameProgram(const QString& name, const QString& newName);

    // Blocks copied or cut in an editor, as XML; a project opened next takes it over.
    bool isClipboardEmpty() const { return _clipboard.isEmpty(); }
    QByteArray clipboard() const { return _clipboard; }
    void setClipboard(const QByteArray& content);

    // Import of programs from another project file. programs: each sequence chart with the
    // diagrams its steps run, and under "" the diagrams no chart runs; devices: name to type id.
    bool getSDFsAndDevs(const QFileInfo& fileInfo, QMap<QString, QStringList>& programs,
                        QMap<QString, QString>& devices);
    // Copies the selected programs (with the diagrams the charts run and the global variables
    // they use that this project lacks) in one undoable step. Device names are rewritten
    // through mapping (other project's name to this project's); a device left unmapped is
    // copied. A program whose name is taken is renamed "name_2", "name_3", ...
    bool importSDFsIntoProject(const QFileInfo& fileInfo, const QStringList& selection,
                               const QMap<QString, QString>& mapping);

    // The program view showing the project's programs, null without one.
    View* view() const;
    void setView(View* view);

    // Simulation of the project in this process.
    Simulation* simulation() const { return _simulation; }
    QAction* startAllAction() const;
    QAction* startAction() const;
    QAction* suspendAction() const;
    QAction* terminateAction() const;
    static QAction* createStartAllAction(QObject* parent);
    static QAction* createStartAction(QObject* parent);
    static QAction* createSuspendAction(QObject* parent);
    static QAction* createTerminateAction(QObject* parent);

    // The project's windows, made when first asked for and closed with the project.
    GlobalVariablesWindow* globalVariablesWindow();
    DevicesWindow* devicesWindow();
    // The project's windows that are open, as the Window menu lists them.
    QList<QWidget*> dialogs() const;

    // Pushes an edit; false (and the reason logged) when the model refused it or the project
    // is locked.
    bool push(QUndoCommand* command);
    // The reason of the latest refused edit.
    QString lastError() const { return _lastError; }

    // For commands: keep the device list and announce what changed.
    void insertDevice(Device* device, int index);
    void takeDevice(Device* device);
    void announceDeviceSettingChanged(Device* device, const QString& name)
    {
        emit deviceSettingChanged(device, name);
    }
    void announceGlobalVariableAdded(const QString& name) { emit globalVariableAdded(name); }
    void announceGlobalVariableRemoved(const QString& name) { emit globalVariableRemoved(name); }
    void announceGlobalVariableChanged(const QString& name) { emit globalVariableChanged(name); }
    void announceProgramAdded(const QString& name) { emit programAdded(name); }
    void announceProgramRemoved(const QString& name) { emit programRemoved(name); }
    void announceProgramRenamed(const QString& name, const QString& newName)
    {
        emit programRenamed(name, newName);
    }
    void setKnownPassword(const QString& password, bool validated);
    // A command the model refused tells why.
    void refuse(const QString& reason);

public slots:
    // Starts every sequence chart of the project.
    void on_startAll();

signals:
    void wasModified(Project* project);
    void displayNameChanged(const QString& name, Project* project);
    void deviceAdded(Device* device);
    void deviceRemoved(Device* device);
    void deviceSettingChanged(Device* device, const QString& name);
    void globalVariableAdded(const QString& name);
    void globalVariableRemoved(const QString& name);
    void globalVariableChanged(const QString& name);
    void programAdded(const QString& name);
    void programRemoved(const QString& name);
    void programRenamed(const QString& name, const QString& newName);
    void protectionChanged();
    void clipboardChanged();

private:
    void updateModified();
    bool write(const QFileInfo& fileInfo);
    void translate();

    std::shared_ptr<kirogen::model::Project> _model;
    std::unique_ptr<kirogen::model::ProjectEditor> _editor;
    QFileInfo _fileInfo;
    QUndoStack* _undoStack;
    QAction* _undoAction;
    QAction* _redoAction;
    bool _layoutModified = false;
    // The tabs as saved: going back to them is no change.
    kirogen::model::EditorLayout _savedLayout;
    bool _lastModified = false;
    QList<Device*> _devices;
    QString _knownPassword;
    bool _validated = false;
    QByteArray _clipboard;
    Simulation* _simulation;
    std::unique_ptr<GlobalVariablesWindow> _globalVariablesWindow;
    std::unique_ptr<DevicesWindow> _devicesWindow;
    QString _lastError;
    QPointer<View> _view;
};

} // namespace lumlink::project
