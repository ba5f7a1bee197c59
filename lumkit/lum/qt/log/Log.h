#pragma once

#include <QEvent>
#include <QObject>
#include <QString>
#include <QStringList>

namespace lum::qt::log {

// The workbench's message log. log() may be called from any thread; every message becomes one
// time-stamped line that reaches lineLogged() on the GUI thread, where the message window shows it.
// The newest lines are also kept, so that a window created later (messages of the start-up come
// before the main window) still shows them.
class Log : public QObject
{
    Q_OBJECT

public:
    // The levels of the runtime kit's log, with the same values, so that its receiver can pass a
    // verbosity straight on.
    enum Level
    {
        Debug = 0,
        Verbose = 1,
        Note = 2,
        Warning = 3,
        Error = 4,
        Severe = 5,
    };
    Q_ENUM(Level)

    // A runtime-kit log message posted to a window (event type 1000).
    class MessageReceivedEvent : public QEvent
    {
    public:
        static constexpr QEvent::Type EventType = QEvent::User;

        MessageReceivedEvent(int verbosity, const QString& message);

        int verbosity() const { return _verbosity; }
        QString message() const { return _message; }

    private:
        int _verbosity;
        QString _message;
    };

    static Log& singleton();

    // "hh:mm:ss.zzz message"
    static void log(const QString& message);
    // "hh:mm:ss.zzz [Level] message"; messages below Note are dropped.
    static void log(Level level, const QString& message);

    static constexpr int MaximumBacklog = 10000;

    // The lines delivered so far, oldest first, at most MaximumBacklog (GUI thread).
    QStringList backlog() const { return _backlog; }
    void clearBacklog() { _backlog.clear(); }

    // The level's translated name as shown in a line ("Note", "Warning", ...).
    static QString levelName(Level level);

signals:
    void lineLogged(const QString& line);

private:
    Log();

    void post(const QString& line);

    QStringList _backlog;
};

} // namespace lum::qt::log
