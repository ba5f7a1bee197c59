#include <QTimer>
#include <robot/ControllerLink.h>
#include <robot/Simulation.h>
#include <cmath>

namespace robot {

namespace {

constexpr double Pi = 3.14159265358979323846;
// A new point of the path every centimetre keeps curves smooth and the path short.
constexpr double PathResolution = 0.01;

} // namespace

Simulation::Simulation(const Arena& arena, ControllerLink* link, QObject* parent)
    : QObject(parent), _robot(arena), _link(link), _timer(new QTimer(this))
{
    _timer->setTimerType(Qt::PreciseTimer);
    _timer->setInterval(static_cast<int>(Robot::stepSeconds * 1000));
    connect(_timer, &QTimer::timeout, this, &Simulation::advance);
    connect(link, &ControllerLink::speedReceived, this, [this](double speed) { _robot.setSpeed(speed); });
    connect(link, &ControllerLink::steeringReceived, this,
            [this](double steering) { _robot.setSteering(steering); });
    connect(link, &ControllerLink::controllerConnected, this,
            [this](const QString& peer) { emit message(tr("Controller %1 connected.").arg(peer)); });
    connect(link, &ControllerLink::controllerRefused, this, [this](const QString& peer) {
        emit message(tr("Controller %1 refused: another controller is driving.").arg(peer));
    });
    connect(link, &ControllerLink::controllerDisconnected, this, &Simulation::stop);
    _path.push_back({_robot.pose().x, _robot.pose().y});
    _bumper = _robot.readings().bumper;
}

void Simulation::start()
{
    _clock.start();
    _stepsDone = 0;
    _timer->start();
    _link->publish(_robot.readings());
}

bool Simulation::hasController() const
{
    return _link->hasController();
}

QString Simulation::describe(const Pose& pose)
{
    return tr("x %1 m, y %2 m, heading %3°")
        .arg(pose.x, 0, 'f', 3)
        .arg(pose.y, 0, 'f', 3)
        .arg(pose.heading * 180 / Pi, 0, 'f', 1);
}

void Simulation::setPaused(bool paused)
{
    if (paused == _paused)
        return;
    _paused = paused;
    emit message(paused ? tr("Paused at %1.").arg(describe(_robot.pose())) : tr("Running."));
    if (!paused) {
        _clock.restart();
        _stepsDone = 0;
    }
}

void Simulation::advance()
{
    if (_paused)
        return;
    const qint64 due = _clock.nsecsElapsed() / static_cast<qint64>(Robot::stepSeconds * 1e9);
    if (due - _stepsDone > maxCatchUpSteps)
        _stepsDone = due - maxCatchUpSteps;
    if (due <= _stepsDone)
        return;
    for (; _stepsDone < due; ++_stepsDone)
        _robot.step();
    afterMove();
}

void Simulation::afterMove()
{
    const Vector position{_robot.pose().x, _robot.pose().y};
    if (_path.empty() || (position - _path.back()).length() >= PathResolution) {
        if (_path.size() >= maxPathPoints)
            _path.erase(_path.begin(), _path.begin() + maxPathPoints / 10);
        _path.push_back(position);
    }
    const bool bumper = _robot.readings().bumper;
    if (bumper != _bumper) {
        _bumper = bumper;
        emit message(bumper ? tr("Bumper pressed at %1.").arg(describe(_robot.pose()))
                            : tr("Bumper released."));
    }
    _link->publish(_robot.readings());
    emit changed();
}

void Simulation::stop(const QString& peer)
{
    _robot.setSpeed(0);
    _robot.setSteering(0);
    emit message(
        tr("Controller %1 disconnected: the robot stopped at %2.").arg(peer, describe(_robot.pose())));
}

void Simulation::reset()
{
    _robot.place(_robot.arena().start());
    _path.clear();
    afterMove();
    emit message(tr("Back at the start, %1.").arg(describe(_robot.pose())));
}

bool Simulation::place(const Pose& pose)
{
    if (!_robot.place(pose))
        return false;
    afterMove();
    return true;
}

void Simulation::clearPath()
{
    _path.clear();
    afterMove();
}

} // namespace robot
