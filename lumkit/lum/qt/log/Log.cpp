#include "lum/qt/log/Log.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTime>

namespace lum::qt::log {

Log::MessageReceivedEvent::MessageReceivedEvent(int verbosity, const QString& message)
    : QEvent(EventType), _verbosity(verbosity), _message(message)
{
}

Log& Log::singleton()
{
    static Log log;
    return log;
}

Log::Log()
{
    // Queued deliveries must run on the GUI thread even when a worker logs first.
    if (QCoreApplication::instance())
        moveToThread(QCoreApplication::instance()->thread());
}

QString Log::levelName(Level level)
{
    switch (level) {
    case Debug:
        return tr("Debug");
    case Verbose:
        return tr("Verbose");
    case Note:
        return tr("Note");
    case Warning:
        return tr("Warning");
    case Error:
        return tr("Error");
    case Severe:
        return tr("Severe");
    }
    return QString();
}

void Log::log(const QString& message)
{
    singleton().post(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz ")) + message);
}

void Log::log(Level level, const QString& message)
{
    if (level < Note)
        return;
    singleton().post(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz ")) + '[' + levelName(level) +
                     "] " + message);
}

void Log::post(const QString& line)
{
    // Queued: the signal is emitted on the thread that owns the log (the GUI thread), whichever
    // thread logged.
    QMetaObject::invokeMethod(
        this,
        [this, line] {
            _backlog.append(line);
            if (_backlog.size() > MaximumBacklog)
                _backlog.removeFirst();
            emit lineLogged(line);
        },
        Qt::QueuedConnection);
}

} // namespace lum::qt::log
