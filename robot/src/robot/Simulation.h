#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <robot/Robot.h>
#include <vector>

class QTimer;

namespace robot {

class ControllerLink;

// Runs the robot in real time at its fixed step, takes its commands from the link, sends its
// readings back and reports what happens to it as messages for the log.
class Simulation : public QObject
{
    Q_OBJECT

public:
    // Enough path for a long lesson; older points give way.
    static constexpr std::size_t maxPathPoints = 20000;
    // After a stall (a suspended process) the robot does not race to catch up.
    static constexpr int maxCatchUpSteps = 10;

    Simulation(const Arena& arena, ControllerLink* link, QObject* parent = nullptr);

    void start();
    void setPaused(bool paused);
    bool isPaused() const { return _paused; }
    // Back to the arena's start, with the path cleared.
    void reset();
    // False when the body does not fit there.
    bool place(const Pose& pose);
    void clearPath();

    const Robot& robot() const { return _robot; }
    const std::vector<Vector>& path() const { return _path; }
    bool hasController() const;

    static QString describe(const Pose& pose);

signals:
    // The pose, the readings or the path changed.
    void changed();
    void message(const QString& text);

private:
    void advance();
    void stop(const QString& peer);
    void afterMove();

    Robot _robot;
    ControllerLink* _link;
    QTimer* _timer;
    QElapsedTimer _clock;
    qint64 _stepsDone = 0;
    bool _paused = false;
    bool _bumper = false;
    std::vector<Vector> _path;
};

} // namespace robot
