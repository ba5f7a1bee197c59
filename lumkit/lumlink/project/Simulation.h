#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <kirogen/sim/RunSnapshot.h>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <set>
#include <vector>

class QAction;

namespace kirogen::device::model {
class DeviceInstance;
}
namespace kirogen::model {
class GlobalVariable;
}
namespace kirogen::sim {
class ExecutionThread;
}

namespace lumlink::project {

class Project;

// Runs a project's sequence charts in this process on the engine the interpreter uses. A
// start first connects the project's devices (those with a connection); once all of them
// answered connected the charts start, each on its own thread. A device that fails to
// connect, or drops while the run goes on, ends the run with a line in the message window.
// Device outcomes arrive on device threads and are handed to the GUI thread; a timer polls
// the runs' sessions a few times a second and reports the global variables they wrote and,
// to whoever listens, the active steps and block outputs of each run.
class Simulation : public QObject, private kirogen::observer::Observer
{
    Q_OBJECT

public:
    enum State
    {
        Stopped,
        Connecting,
        Running,
        Suspended
    };
    Q_ENUM(State)

    enum ActionKind
    {
        StartAll,
        Start,
        Suspend,
        Terminate
    };

    // A stand-in for an action while no project is active: its text and icon, disabled.
    static QAction* createAction(ActionKind kind, QObject* parent);

    explicit Simulation(Project* project);
    // Terminates a run still going and waits for its threads.
    ~Simulation() override;

    State state() const { return _state; }

    QAction* startAllAction() const { return _startAllAction; }
    QAction* startAction() const { return _startAction; }
    QAction* suspendAction() const { return _suspendAction; }
    QAction* terminateAction() const { return _terminateAction; }

    // Stopped: runs every chart (startAll) or the main program, the first chart (startMain).
    // Suspended: both resume the run.
    void startAll();
    void startMain();
    void suspend();
    // From any state, as often as asked: afterwards the run is over and its threads are gone.
    void terminate();

    // Milliseconds between two polls of the run.
    static constexpr int PollInterval = 200;

signals:
    void stateChanged(lumlink::project::Simulation::State state);
    // Global variables the run wrote since the previous poll, by name.
    void globalVariablesUpdated(const QStringList& names);
    // Each poll while running or suspended: every chart's run as it stood between two cycles.
    void runsObserved(std::shared_ptr<const std::vector<kirogen::sim::RunSnapshot>> runs);

private:
    void start(bool allCharts);
    void on_deviceState(const std::shared_ptr<kirogen::device::model::DeviceInstance>& device,
                        bool connected);
    void on_connectTimeout();
    void launch();
    void poll();
    void fail(const QString& message);
    void setState(State state);
    void stopDevices();
    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

    Project* _project;
    State _state = Stopped;
    bool _allCharts = false;
    QAction* _startAllAction;
    QAction* _startAction;
    QAction* _suspendAction;
    QAction* _terminateAction;
    QTimer _pollTimer;
    QTimer _connectTimer;
    // Devices this run connects, and those still to answer.
    std::vector<std::shared_ptr<kirogen::device::model::DeviceInstance>> _devices;
    std::set<kirogen::device::model::DeviceInstance*> _pending;
    std::vector<std::unique_ptr<kirogen::sim::ExecutionThread>> _threads;
    // Variables registered with for the run's updates, and those updated since the last poll.
    std::vector<std::shared_ptr<kirogen::model::GlobalVariable>> _watched;
    QStringList _updated;
};

} // namespace lumlink::project

Q_DECLARE_METATYPE(std::shared_ptr<const std::vector<kirogen::sim::RunSnapshot>>)
