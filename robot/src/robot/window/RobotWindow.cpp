#include <QAction>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QToolBar>
#include <QVBoxLayout>
#include <robot/Simulation.h>
#include <robot/window/ArenaView.h>
#include <robot/window/RobotWindow.h>

namespace robot::window {

namespace {

constexpr int LogLines = 500;

QLabel* valueLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(110);
    return label;
}

QLabel* titleLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

RobotWindow::RobotWindow(Simulation* simulation, const QString& arenaPath, QWidget* parent)
    : QMainWindow(parent), _simulation(simulation), _arenaPath(arenaPath),
      _view(new ArenaView(simulation, this))
{
    auto* toolBar = addToolBar(QString());
    toolBar->setObjectName(QStringLiteral("simulationToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    _pauseAction = toolBar->addAction(style()->standardIcon(QStyle::SP_MediaPause), QString());
    _pauseAction->setCheckable(true);
    _pauseAction->setShortcut(Qt::Key_Space);
    _resetAction = toolBar->addAction(style()->standardIcon(QStyle::SP_BrowserReload), QString());
    _resetAction->setShortcut(Qt::CTRL | Qt::Key_R);
    _clearPathAction = toolBar->addAction(style()->standardIcon(QStyle::SP_DialogResetButton), QString());
    connect(_pauseAction, &QAction::toggled, simulation, &Simulation::setPaused);
    connect(_resetAction, &QAction::triggered, simulation, &Simulation::reset);
    connect(_clearPathAction, &QAction::triggered, simulation, &Simulation::clearPath);

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    _robotTitle = titleLabel(side);
    sideLayout->addWidget(_robotTitle);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    for (QLabel** value : {&_controller, &_speed, &_steering, &_front, &_left, &_right, &_bumper, &_pose}) {
        *value = valueLabel(side);
        auto* caption = new QLabel(side);
        caption->setBuddy(*value);
        _captions.append(caption);
        form->addRow(caption, *value);
    }
    _pose->setWordWrap(true);
    sideLayout->addLayout(form);
    sideLayout->addSpacing(12);
    _logTitle = titleLabel(side);
    sideLayout->addWidget(_logTitle);
    _log = new QPlainTextEdit(side);
    _log->setReadOnly(true);
    _log->setMaximumBlockCount(LogLines);
    _log->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    sideLayout->addWidget(_log, 1);
    side->setFixedWidth(300);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(_view, 1);
    layout->addWidget(side);
    setCentralWidget(central);

    connect(simulation, &Simulation::changed, this, &RobotWindow::showState);
    connect(simulation, &Simulation::message, this, &RobotWindow::appendMessage);
    connect(_view, &ArenaView::robotPlaced, this,
            [this](const Pose& pose) { appendMessage(tr("Placed at %1.").arg(Simulation::describe(pose))); });
    connect(_view, &ArenaView::placeRefused, this, [this] {
        statusBar()->showMessage(tr("The robot does not fit there: it would overlap a wall."), 4000);
    });

    translate();
    showState();
}

void RobotWindow::translate()
{
    setWindowTitle(tr("Virtual robot - %1")
                       .arg(_simulation->robot().arena().name().isEmpty()
                                ? QFileInfo(_arenaPath).fileName()
                                : _simulation->robot().arena().name()));
    _pauseAction->setText(tr("Pause"));
    _pauseAction->setToolTip(tr("Pause or resume the simulation (Space)"));
    _resetAction->setText(tr("Reset"));
    _resetAction->setToolTip(tr("Put the robot back at the start and clear its path (Ctrl+R)"));
    _clearPathAction->setText(tr("Clear path"));
    _clearPathAction->setToolTip(tr("Forget the path driven so far"));
    _view->setAccessibleName(tr("Arena"));
    _view->setAccessibleDescription(tr("The arena from above. Click to place the robot, drag to turn it."));
    _view->setToolTip(tr("Click to place the robot, drag to turn it."));
    _robotTitle->setText(tr("Robot"));
    _logTitle->setText(tr("Log"));
    _log->setAccessibleName(tr("Log"));
    const QStringList captions = {tr("Controller:"), tr("Speed:"), tr("Steering:"), tr("Front:"),
                                  tr("Left:"),       tr("Right:"), tr("Bumper:"),   tr("Position:")};
    for (int i = 0; i < _captions.size(); ++i) {
        _captions[i]->setText(captions[i]);
        _captions[i]->buddy()->setAccessibleName(QString(captions[i]).remove(QLatin1Char(':')));
    }
    statusBar()->showMessage(tr("Click in the arena to place the robot, drag to turn it."));
}

void RobotWindow::showState()
{
    const Robot& robot = _simulation->robot();
    const SensorReadings& readings = robot.readings();
    const auto distance = [](double metres) {
        return metres < Robot::sensorRange ? tr("%1 m").arg(metres, 0, 'f', 3)
                                           : tr("> %1 m").arg(Robot::sensorRange);
    };
    _controller->setText(_simulation->hasController() ? tr("connected") : tr("none"));
    _speed->setText(tr("%1 m/s").arg(robot.speed(), 0, 'f', 2));
    _steering->setText(tr("%1°").arg(robot.steering(), 0, 'f', 1));
    _front->setText(distance(readings.front));
    _left->setText(distance(readings.left));
    _right->setText(distance(readings.right));
    _bumper->setText(readings.bumper ? tr("pressed") : tr("free"));
    _pose->setText(Simulation::describe(robot.pose()));
}

void RobotWindow::appendMessage(const QString& text)
{
    _log->appendPlainText(
        QStringLiteral("%1  %2").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), text));
    showState();
}

} // namespace robot::window
