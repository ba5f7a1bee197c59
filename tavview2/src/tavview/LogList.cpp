#include <tavview/LogList.h>

#include <lum/qt/translation/Manager.h>
#include <QTimer>

namespace tavview {

QIcon LogList::iconFine;
QIcon LogList::iconInfo;
QIcon LogList::iconWarning;
QIcon LogList::iconError;
std::array<QIcon, 2> LogList::iconRunning;

namespace {

constexpr int MaxGrowingLength = 99;

} // namespace

LogList::LogList(QWidget* parent) : QListWidget(parent), _runningTimer(new QTimer(this))
{
    _runningTimer->setInterval(500);
    connect(_runningTimer, &QTimer::timeout, this, &LogList::on_runningTimer_timeout);

    iconFine = QIcon(QStringLiteral(":/images/accept.png"));
    iconInfo = QIcon(QStringLiteral(":/images/info.png"));
    iconWarning = QIcon(QStringLiteral(":/images/warning.png"));
    iconError = QIcon(QStringLiteral(":/images/cancel.png"));
    iconRunning = {QIcon(QStringLiteral(":/images/cog0.png")), QIcon(QStringLiteral(":/images/cog1.png"))};

    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(true);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &LogList::translate);
    translate();
}

void LogList::addLogEntry(const LogEntry& entry)
{
    stopRunningTimer();
    _currentItem = new QListWidgetItem(entry.text());
    switch (entry.type()) {
    case LogEntry::Fine:
        _currentItem->setIcon(iconFine);
        break;
    case LogEntry::Info:
        _currentItem->setIcon(iconInfo);
        break;
    case LogEntry::Warning:
        _currentItem->setIcon(iconWarning);
        break;
    case LogEntry::Error:
        _currentItem->setIcon(iconError);
        break;
    case LogEntry::Running:
        _currentItem->setIcon(iconRunning[0]);
        startRunningTimer();
        break;
    }
    insertItem(0, _currentItem);
    scrollToItem(_currentItem, QAbstractItemView::EnsureVisible);
}

void LogList::append(const QString& text)
{
    if (!_currentItem)
        return;
    QString current = _currentItem->text();
    if (current.size() <= MaxGrowingLength)
        _currentItem->setText(current + text);
    else
        _currentItem->setText(current.remove(QStringLiteral("....")));
}

QString LogList::currentText() const
{
    return _currentItem ? _currentItem->text() : QString();
}

void LogList::startRunningTimer()
{
    _runningPhase = 0;
    _runningTimer->start();
}

void LogList::stopRunningTimer()
{
    _runningTimer->stop();
}

QSize LogList::sizeHint() const
{
    return QSize(300, 150);
}

void LogList::translate()
{
    setAccessibleName(tr("Robot link messages"));
}

void LogList::on_runningTimer_timeout()
{
    // The timer is public to start, also before any message exists.
    if (!_currentItem)
        return;
    _runningPhase = (_runningPhase + 1) % 2;
    _currentItem->setIcon(iconRunning[_runningPhase]);
}

} // namespace tavview
