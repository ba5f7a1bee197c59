#pragma once

#include <QString>

namespace tavview {

// One message of the robot link's log list, with the kind that picks its icon.
class LogEntry
{
public:
    enum Type
    {
        Fine = 0,
        Info = 1,
        Warning = 2,
        Error = 3,
        Running = 4,
    };

    LogEntry(Type type, const QString& text) : _type(type), _text(text) {}

    Type type() const { return _type; }
    const QString& text() const { return _text; }

private:
    Type _type;
    QString _text;
};

} // namespace tavview
