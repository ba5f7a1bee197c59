#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/sim/Execution.h>
#include <kirogen/sim/SimulationThread.h>
#include <kirogen/sim/session/ExecutionSession.h>
#include <lum/qt/log/Log.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/Simulation.h>
#include <QAction>
#include <QIcon>
#include <QMetaMethod>

namespace lumlink::project {

namespace {

using kirogen::observer::DataRole;
using lum::qt::log::Log;

// As the interpreter: one cycle every 10 ms, and a device that never answers has failed.
constexpr double CycleSeconds = 0.01;
constexpr int ConnectTimeoutMs = 30000;

void label(QAction* action, Simulation::ActionKind kind)
{
    switch (kind) {
    case Simulation::StartAll:
        action->setText(Simulation::tr("Start &all programs"));
        action->setToolTip(Simulation::tr("Start every sequence chart of the project in the simulation"));
        break;
    case Simulation::Start:
        action->setText(Simulation::tr("&Start"));
        action->setToolTip(Simulation::tr("Start the main program in the simulation, or resume it"));
        break;
    case Simulation::Suspend:
        action->setText(Simulation::tr("S&uspend"));
        action->setToolTip(Simulation::tr("Suspend the simulation"));
        break;
    case Simulation::Terminate:
        action->setText(Simulation::tr("&Terminate"));
        action->setToolTip(Simulation::tr("Terminate the simulation"));
        break;
    }
}

} // namespace

QAction* Simulation::createAction(ActionKind kind, QObject* parent)
{
    static const char* const icons[] = {":/silk/control_fastforward_blue.png", ":/silk/control_play_blue.png",
                                        ":/silk/control_pause_blue.png", ":/silk/control_stop_blue.png"};
    auto* action = new QAction(QIcon(QString::fromLatin1(icons[kind])), QString(), parent);
    label(action, kind);
    action->setEnabled(false);
    // Placeholders follow the language as the project's own actions do.
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            action, [action, kind] { label(action, kind); });
    return action;
}

Simulation::Simulation(Project* project)
    : QObject(project), _project(project), _startAllAction(createAction(StartAll, this)),
      _startAction(createAction(Start, this)), _suspendAction(createAction(Suspend, this)),
      _terminateAction(createAction(Terminate, this))
{
    qRegisterMetaType<std::shared_ptr<const std::vector<kirogen::sim::RunSnapshot>>>();
    connect(_startAllAction, &QAction::triggered, this, &Simulation::startAll);
    connect(_startAction, &QAction::triggered, this, &Simulation::startMain);
    connect(_suspendAction, &QAction::triggered, this, &Simulation::suspend);
    connect(_terminateAction, &QAction::triggered, this, &Simulation::terminate);
    _pollTimer.setInterval(PollInterval);
    connect(&_pollTimer, &QTimer::timeout, this, &Simulation::poll);
    _connectTimer.setSingleShot(true);
    _connectTimer.setInterval(ConnectTimeoutMs);
    connect(&_connectTimer, &QTimer::timeout, this, &Simulation::on_connectTimeout);
    setState(Stopped);
}

Simulation::~Simulation()
{
    terminate();
}

void Simulation::setState(State state)
{
    const bool changed = state != _state;
    _state = state;
    const bool startable = state == Stopped || state == Suspended;
    _startAllAction->setEnabled(startable);
    _startAction->setEnabled(startable);
    _suspendAction->setEnabled(state == Running);
    _terminateAction->setEnabled(state != Stopped);
    if (changed)
        emit stateChanged(state);
}

void Simulation::startAll()
{
    start(true);
}

void Simulation::startMain()
{
    start(false);
}

void Simulation::start(bool allCharts)
{
    if (_state == Suspended) {
        for (const auto& thread : _threads)
            thread->getExecution()->resume();
        setState(Running);
        return;
    }
    if (_state != Stopped)
        return;
    const auto model = _project->kirogenProject();
    if (model->sfcModels().empty()) {
        Log::log(Log::Warning, tr("The project has no sequence chart to run."));
        return;
    }
    _allCharts = allCharts;
    setState(Connecting);
    for (const auto& device : model->devices()) {
        const auto type = device->deviceType();
        if (!type || type->isGeneric() || !device->connection())
            continue;
        _devices.push_back(device);
        _pending.insert(device.get());
        device->registerObserver(DataRole::DeviceConnected, this);
        device->registerObserver(DataRole::DeviceDisconnected, this);
    }
    if (_pending.empty()) {
        launch();
        return;
    }
    Log::log(tr("Connecting the devices..."));
    _connectTimer.start();
    for (const auto& device : _devices)
        device->connect();
}

void Simulation::on_notify(const DataRole& role, kirogen::observer::Observable* source,
                           const lum::core::variant::Variant&)
{
    if (role == DataRole::GlobalVariableUpdated) {
        // Delivered by pollHistory(), on this thread.
        if (auto* variable = dynamic_cast<kirogen::model::GlobalVariable*>(source))
            _updated.append(QString::fromStdString(variable->getVarName()));
        return;
    }
    if (role != DataRole::DeviceConnected && role != DataRole::DeviceDisconnected)
        return;
    // A device thread: the outcome is handled on the GUI thread, if the device still exists then.
    auto* device = dynamic_cast<kirogen::device::model::DeviceInstance*>(source);
    const auto owner = device ? device->getPtr() : nullptr;
    if (!owner)
        return;
    const bool connected = role == DataRole::DeviceConnected;
    QMetaObject::invokeMethod(
        this, [this, owner, connected] { on_deviceState(owner, connected); }, Qt::QueuedConnection);
}

void Simulation::on_deviceState(const std::shared_ptr<kirogen::device::model::DeviceInstance>& device,
                                bool connected)
{
    if (std::find(_devices.begin(), _devices.end(), device) == _devices.end())
        return;
    const QString name = QString::fromStdString(device->instanceName());
    if (_state == Connecting && _pending.count(device.get())) {
        if (!connected) {
            fail(tr("Could not connect to device \"%1\": the simulation does not start.").arg(name));
            return;
        }
        Log::log(tr("Connected to device \"%1\".").arg(name));
        _pending.erase(device.get());
        if (_pending.empty()) {
            _connectTimer.stop();
            launch();
        }
    } else if (!connected && (_state == Running || _state == Suspended)) {
        fail(tr("Device \"%1\" has been disconnected: the simulation is terminated.").arg(name));
    }
}

void Simulation::on_connectTimeout()
{
    if (_state == Connecting)
        fail(tr("A device did not answer in time: the simulation does not start."));
}

void Simulation::launch()
{
    const auto model = _project->kirogenProject();
    try {
        const auto& charts = model->sfcModels();
        const std::size_t count = _allCharts ? charts.size() : 1;
        for (std::size_t i = 0; i < count; ++i)
            _threads.push_back(std::make_unique<kirogen::sim::SimulationThread>(model, charts[i],
                                                                                util::XTime(CycleSeconds)));
    } catch (const std::exception& e) {
        fail(tr("The simulation does not start: %1").arg(QString::fromStdString(e.what())));
        return;
    }
    for (const auto& entry : model->globalVariables()) {
        entry.second->registerObserver(DataRole::GlobalVariableUpdated, this);
        _watched.push_back(entry.second);
    }
    for (const auto& thread : _threads) {
        thread->getExecution()->sync();
        thread->getExecution()->start();
    }
    _pollTimer.start();
    setState(Running);
    Log::log(tr("The simulation is running."));
}

void Simulation::poll()
{
    bool anyRunning = false;
    for (const auto& thread : _threads) {
        kirogen::sim::Execution* execution = thread->getExecution();
        if (const auto session = execution->session())
            session->pollHistory();
        anyRunning = anyRunning || execution->state() != kirogen::sim::Execution::Terminated;
    }
    if (!_updated.isEmpty()) {
        _updated.removeDuplicates();
        emit globalVariablesUpdated(_updated);
        _updated.clear();
    }
    // Copied only for a listener: each copy briefly holds a cycle back.
    if (anyRunning && isSignalConnected(QMetaMethod::fromSignal(&Simulation::runsObserved))) {
        auto runs = std::make_shared<std::vector<kirogen::sim::RunSnapshot>>();
        for (const auto& thread : _threads)
            runs->push_back(thread->getExecution()->snapshot());
        emit runsObserved(std::move(runs));
    }
    // A fault in a block ends its run by itself (the engine logs why).
    if (!anyRunning)
        fail(tr("The program has stopped: the simulation is terminated."));
}

void Simulation::suspend()
{
    if (_state != Running)
        return;
    // Waited for, so that no cycle runs once the state says suspended.
    for (const auto& thread : _threads) {
        thread->getExecution()->suspend();
        thread->getExecution()->sync();
    }
    setState(Suspended);
}

void Simulation::fail(const QString& message)
{
    Log::log(Log::Error, message);
    terminate();
}

void Simulation::terminate()
{
    _pollTimer.stop();
    _connectTimer.stop();
    const bool wasRunning = !_threads.empty();
    for (const auto& thread : _threads) {
        thread->getExecution()->terminate();
        thread->getExecution()->sync();
    }
    _threads.clear();
    for (const auto& variable : _watched)
        variable->deregisterObserver(DataRole::GlobalVariableUpdated, this);
    _watched.clear();
    _updated.clear();
    stopDevices();
    if (wasRunning)
        Log::log(tr("The simulation has been terminated."));
    setState(Stopped);
}

void Simulation::stopDevices()
{
    for (const auto& device : _devices) {
        device->deregisterObserverAllRoles(this);
        device->disconnect();
    }
    _devices.clear();
    _pending.clear();
}

} // namespace lumlink::project
