#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/ProjectEditor.h>
#include <lum/qt/log/Log.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Device.h>
#include <lumlink/project/DevicesWindow.h>
#include <lumlink/project/GlobalVariablesWindow.h>
#include <lumlink/project/Importer.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/ProjectFile.h>
#include <lumlink/project/Simulation.h>
#include <lumlink/project/View.h>
#include <lumlink/project/commands/AddDevice.h>
#include <lumlink/project/commands/AddGlobalVariable.h>
#include <lumlink/project/commands/RemoveDevice.h>
#include <lumlink/project/commands/RemoveGlobalVariable.h>
#include <lumlink/project/commands/RenameGlobalVariable.h>
#include <lumlink/project/commands/RenameProgram.h>
#include <lumlink/project/commands/SetDeviceSetting.h>
#include <lumlink/project/commands/SetGlobalVariableValue.h>
#include <lumlink/project/commands/SetPassword.h>
#include <QAction>
#include <QIcon>
#include <QUndoStack>

namespace lumlink::project {

Project::Project(std::shared_ptr<kirogen::model::Project> model, const QFileInfo& fileInfo, QObject* parent)
    : QObject(parent), _model(std::move(model)),
      _editor(std::make_unique<kirogen::model::ProjectEditor>(_model)), _fileInfo(fileInfo),
      _undoStack(new QUndoStack(this)), _undoAction(new QAction(this)), _redoAction(new QAction(this))
{
    for (const auto& instance : _model->devices())
        _devices.append(Device::create(instance, this));
    _savedLayout = _model->layout();

    _undoAction->setIcon(QIcon(QStringLiteral(":/silk/arrow_undo.png")));
    _undoAction->setShortcut(QKeySequence::Undo);
    _undoAction->setEnabled(false);
    _redoAction->setIcon(QIcon(QStringLiteral(":/silk/arrow_redo.png")));
    _redoAction->setShortcut(QKeySequence::Redo);
    _redoAction->setEnabled(false);
    connect(_undoAction, &QAction::triggered, _undoStack, &QUndoStack::undo);
    connect(_redoAction, &QAction::triggered, _undoStack, &QUndoStack::redo);
    connect(_undoStack, &QUndoStack::canUndoChanged, _undoAction, &QAction::setEnabled);
    connect(_undoStack, &QUndoStack::canRedoChanged, _redoAction, &QAction::setEnabled);
    connect(_undoStack, &QUndoStack::undoTextChanged, this, &Project::translate);
    connect(_undoStack, &QUndoStack::redoTextChanged, this, &Project::translate);
    connect(_undoStack, &QUndoStack::cleanChanged, this, &Project::updateModified);

    _simulation = new Simulation(this);

    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Project::translate);
    translate();
}

Project::~Project()
{
    // Windows first, then the run, before the devices and the model they show go.
    _globalVariablesWindow.reset();
    _devicesWindow.reset();
    delete _simulation;
}

GlobalVariablesWindow* Project::globalVariablesWindow()
{
    if (!_globalVariablesWindow)
        _globalVariablesWindow = std::make_unique<GlobalVariablesWindow>(this);
    return _globalVariablesWindow.get();
}

DevicesWindow* Project::devicesWindow()
{
    if (!_devicesWindow)
        _devicesWindow = std::make_unique<DevicesWindow>(this);
    return _devicesWindow.get();
}

View* Project::view() const
{
    return _view;
}

void Project::setView(View* view)
{
    _view = view;
}

QList<QWidget*> Project::dialogs() const
{
    QList<QWidget*> open;
    if (_globalVariablesWindow && _globalVariablesWindow->isVisible())
        open.append(_globalVariablesWindow.get());
    if (_devicesWindow && _devicesWindow->isVisible())
        open.append(_devicesWindow.get());
    return open;
}

void Project::translate()
{
    const QString undo = _undoStack->undoText();
    const QString redo = _undoStack->redoText();
    _undoAction->setText(undo.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undo));
    _undoAction->setToolTip(tr("Undo the last change"));
    _redoAction->setText(redo.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redo));
    _redoAction->setToolTip(tr("Redo the change undone last"));
}

QString Project::displayName() const
{
    return _fileInfo.filePath().isEmpty() ? tr("Unnamed") : _fileInfo.completeBaseName();
}

bool Project::isEmpty() const
{
    return _model->globalVariables().empty() && _model->devices().empty() && _model->sfcModels().empty() &&
           _model->diagrams().empty();
}

bool Project::isModified() const
{
    return _layoutModified || !_undoStack->isClean();
}

void Project::setLayoutModified(bool modified)
{
    _layoutModified = modified;
    if (!modified)
        _savedLayout = _model->layout();
    updateModified();
}

void Project::updateModified()
{
    const bool modified = isModified();
    if (modified == _lastModified)
        return;
    _lastModified = modified;
    emit wasModified(this);
}

void Project::setOpenTabs(const QStringList& programs, const QString& current)
{
    kirogen::model::EditorLayout layout;
    for (const QString& program : programs) {
        const std::string name = program.toStdString();
        if (_editor->hasProgram(name))
            layout.openTabs.push_back(name);
    }
    const std::string currentName = current.toStdString();
    if (std::find(layout.openTabs.begin(), layout.openTabs.end(), currentName) != layout.openTabs.end())
        layout.currentTab = currentName;
    // Removing a program closes its tab in the model too: compare with the saved tabs always.
    if (layout != _model->layout())
        _editor->setLayout(layout, nullptr);
    _layoutModified = layout != _savedLayout;
    updateModified();
}

QStringList Project::openTabs() const
{
    QStringList tabs;
    for (const std::string& tab : _model->layout().openTabs)
        tabs.append(QString::fromStdString(tab));
    return tabs;
}

QString Project::currentTab() const
{
    return QString::fromStdString(_model->layout().currentTab);
}

bool Project::save()
{
    if (_fileInfo.filePath().isEmpty()) {
        lum::qt::log::Log::log(tr("The project has no file yet: save it under a name first."));
        return false;
    }
    return write(_fileInfo);
}

bool Project::saveAs(const QFileInfo& fileInfo)
{
    if (!write(fileInfo))
        return false;
    const QString oldName = displayName();
    _fileInfo = QFileInfo(fileInfo.absoluteFilePath());
    if (displayName() != oldName)
        emit displayNameChanged(displayName(), this);
    return true;
}

bool Project::write(const QFileInfo& fileInfo)
{
    QString error;
    const QString path = fileInfo.absoluteFilePath();
    if (!ProjectFile::write(*_model, path, &error)) {
        lum::qt::log::Log::log(lum::qt::log::Log::Error,
                               tr("Could not save the project to %1: %2").arg(path, error));
        return false;
    }
    _layoutModified = false;
    _savedLayout = _model->layout();
    _undoStack->setClean();
    updateModified();
    return true;
}

QByteArray Project::saveToMem() const
{
    return _model->toXmlBytes();
}

bool Project::isProtected() const
{
    return _model->protection().isProtected();
}

QString Project::password() const
{
    if (!isProtected())
        return QString();
    if (_validated)
        return _knownPassword;
    return QString::fromLatin1(_model->protection().hash().toHex());
}

bool Project::passwordValidated() const
{
    return !isProtected() || _validated;
}

bool Project::validatePassword(const QString& password)
{
    if (!isProtected())
        return true;
    if (!_model->protection().check(password.toStdString()))
        return false;
    setKnownPassword(password, true);
    return true;
}

void Project::setKnownPassword(const QString& password, bool validated)
{
    _knownPassword = password;
    _validated = validated;
    emit protectionChanged();
}

bool Project::setPassword(const QString& password)
{
    return push(new commands::SetPassword(this, password));
}

Device* Project::device(const QString& name) const
{
    for (Device* device : _devices) {
        if (device->name() == name)
            return device;
    }
    return nullptr;
}

bool Project::addDevice(Device* device)
{
    return push(new commands::AddDevice(this, device));
}

bool Project::removeDevice(Device* device)
{
    return push(new commands::RemoveDevice(this, device));
}

bool Project::setDeviceParameter(Device* device, const QString& name, const QString& value)
{
    return push(
        new commands::SetDeviceSetting(this, device, commands::SetDeviceSetting::Parameter, name, value));
}

bool Project::setDeviceConfigValue(Device* device, const QString& name, const QString& value)
{
    return push(
        new commands::SetDeviceSetting(this, device, commands::SetDeviceSetting::Configuration, name, value));
}

void Project::insertDevice(Device* device, int index)
{
    _devices.insert(qBound(0, index, _devices.size()), device);
    emit deviceAdded(device);
}

void Project::takeDevice(Device* device)
{
    _devices.removeOne(device);
    emit deviceRemoved(device);
}

bool Project::addGlobalVariable(const QString& name, const QString& typeName, const QString& value)
{
    return push(new commands::AddGlobalVariable(this, name, typeName, value));
}

bool Project::removeGlobalVariable(const QString& name)
{
    return push(new commands::RemoveGlobalVariable(this, name));
}

bool Project::renameGlobalVariable(const QString& name, const QString& newName)
{
    return push(new commands::RenameGlobalVariable(this, name, newName));
}

bool Project::renameProgram(const QString& name, const QString& newName)
{
    return push(new commands::RenameProgram(this, name, newName));
}

bool Project::setGlobalVariableValue(const QString& name, const QString& value)
{
    return push(new commands::SetGlobalVariableValue(this, name, value));
}

void Project::setClipboard(const QByteArray& content)
{
    _clipboard = content;
    emit clipboardChanged();
}

bool Project::getSDFsAndDevs(const QFileInfo& fileInfo, QMap<QString, QStringList>& programs,
                             QMap<QString, QString>& devices)
{
    Importer importer;
    if (!importer.read(fileInfo.absoluteFilePath())) {
        lum::qt::log::Log::log(lum::qt::log::Log::Error, importer.error());
        return false;
    }
    programs = importer.programs();
    devices = importer.devices();
    return true;
}

bool Project::importSDFsIntoProject(const QFileInfo& fileInfo, const QStringList& selection,
                                    const QMap<QString, QString>& mapping)
{
    Importer importer;
    if (!importer.read(fileInfo.absoluteFilePath())) {
        lum::qt::log::Log::log(lum::qt::log::Log::Error, importer.error());
        return false;
    }
    QUndoCommand* command = importer.importCommand(this, selection, mapping);
    if (!command) {
        _lastError = importer.error();
        lum::qt::log::Log::log(lum::qt::log::Log::Error, _lastError);
        return false;
    }
    return push(command);
}

bool Project::push(QUndoCommand* command)
{
    if (isLocked()) {
        delete command;
        _lastError = tr("The project is protected: enter its password to change it.");
        lum::qt::log::Log::log(lum::qt::log::Log::Warning, _lastError);
        return false;
    }
    _lastError.clear();
    // A command the model refused marks itself obsolete in its first redo(); the stack then
    // drops it at once.
    _undoStack->push(command);
    if (!_lastError.isEmpty()) {
        lum::qt::log::Log::log(lum::qt::log::Log::Warning, _lastError);
        return false;
    }
    return true;
}

void Project::refuse(const QString& reason)
{
    _lastError = reason;
}

QAction* Project::startAllAction() const
{
    return _simulation->startAllAction();
}

QAction* Project::startAction() const
{
    return _simulation->startAction();
}

QAction* Project::suspendAction() const
{
    return _simulation->suspendAction();
}

QAction* Project::terminateAction() const
{
    return _simulation->terminateAction();
}

QAction* Project::createStartAllAction(QObject* parent)
{
    return Simulation::createAction(Simulation::StartAll, parent);
}

QAction* Project::createStartAction(QObject* parent)
{
    return Simulation::createAction(Simulation::Start, parent);
}

QAction* Project::createSuspendAction(QObject* parent)
{
    return Simulation::createAction(Simulation::Suspend, parent);
}

QAction* Project::createTerminateAction(QObject* parent)
{
    return Simulation::createAction(Simulation::Terminate, parent);
}

void Project::on_startAll()
{
    _simulation->startAll();
}

} // namespace lumlink::project
