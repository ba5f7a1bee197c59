#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QPlainTextEdit;

namespace robot {
class Simulation;
}

namespace robot::window {

class ArenaView;

// The virtual robot's window: the arena in the middle, the robot's commands and readings and
// the log beside it, and the actions to pause, reset and clear the path.
class RobotWindow : public QMainWindow
{
    Q_OBJECT

public:
    RobotWindow(Simulation* simulation, const QString& arenaPath, QWidget* parent = nullptr);

    void appendMessage(const QString& text);

private:
    void translate();
    void showState();

    Simulation* _simulation;
    QString _arenaPath;
    ArenaView* _view;
    QAction* _pauseAction;
    QAction* _resetAction;
    QAction* _clearPathAction;
    QLabel* _controller;
    QLabel* _speed;
    QLabel* _steering;
    QLabel* _front;
    QLabel* _left;
    QLabel* _right;
    QLabel* _bumper;
    QLabel* _pose;
    QLabel* _robotTitle;
    QLabel* _logTitle;
    QPlainTextEdit* _log;
    QList<QLabel*> _captions;
};

} // namespace robot::window
