#include <lum/qt/translation/Manager.h>
#include <tavview/uploader/Options.h>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>

namespace tavview::uploader {

const QString Options::debugIntervalKey = QStringLiteral("remote-execution-debug-interval");
const QString Options::ignoreInterpreterOutOfDateKey = QStringLiteral("ignoreInterpreterOutOfDate");

int Options::debugInterval()
{
    bool isNumber = false;
    const int interval = QSettings().value(debugIntervalKey, defaultDebugInterval).toInt(&isNumber);
    // A hand-edited store must not hand the robot's interpreter a negative or absurd period.
    if (!isNumber)
        return defaultDebugInterval;
    return qBound(0, interval, maximumDebugInterval);
}

bool Options::ignoreInterpreterOutOfDate()
{
    // Stored as a check state (0 or 2): any non-zero value means ignore.
    return QSettings().value(ignoreInterpreterOutOfDateKey, false).toBool();
}

Options::Options(QWidget* parent)
    : Page(parent), _debugIntervalLabel(new QLabel(this)), _debugInterval(new QSpinBox(this)),
      _ignoreInterpreterOutOfDateLabel(new QLabel(this)), _ignoreInterpreterOutOfDate(new QCheckBox(this))
{
    setObjectName(QStringLiteral("uploadOptionsPage"));
    _debugInterval->setObjectName(QStringLiteral("debugInterval"));
    _ignoreInterpreterOutOfDate->setObjectName(QStringLiteral("ignoreInterpreterOutOfDate"));
    _debugIntervalLabel->setBuddy(_debugInterval);
    _ignoreInterpreterOutOfDateLabel->setBuddy(_ignoreInterpreterOutOfDate);

    // Connected after the initial values, so that opening the page stores nothing.
    _debugInterval->setRange(0, maximumDebugInterval);
    _debugInterval->setSingleStep(50);
    _debugInterval->setValue(debugInterval());
    connect(_debugInterval, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &Options::on_debugInterval_valueChanged);
    _ignoreInterpreterOutOfDate->setChecked(ignoreInterpreterOutOfDate());
    connect(_ignoreInterpreterOutOfDate, &QCheckBox::stateChanged, this,
            &Options::on_ignoreInterpreterOutOfDate_stateChanged);

    auto* layout = new QFormLayout(this);
    layout->addRow(_debugIntervalLabel, _debugInterval);
    layout->addRow(_ignoreInterpreterOutOfDateLabel, _ignoreInterpreterOutOfDate);

    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Options::translate);
    translate();
}

void Options::on_debugInterval_valueChanged(int value)
{
    QSettings().setValue(debugIntervalKey, value);
}

void Options::on_ignoreInterpreterOutOfDate_stateChanged(int state)
{
    QSettings().setValue(ignoreInterpreterOutOfDateKey, state);
}

void Options::translate()
{
    setTitle(tr("Upload & Execute"));
    _debugInterval->setSuffix(tr("ms"));
    _debugInterval->setSpecialValueText(tr("off"));
    _debugIntervalLabel->setText(tr("Debug interval"));
    _ignoreInterpreterOutOfDateLabel->setText(tr("Ignore interpreter out of date"));
    _debugInterval->setAccessibleName(tr("Debug interval"));
    _debugInterval->setToolTip(
        tr("How often the interpreter on the robot sends the values of the global variables"));
    _ignoreInterpreterOutOfDate->setAccessibleName(tr("Ignore interpreter out of date"));
    _ignoreInterpreterOutOfDate->setToolTip(
        tr("Run programs on the robot even when its interpreter is out of date"));
}

} // namespace tavview::uploader
