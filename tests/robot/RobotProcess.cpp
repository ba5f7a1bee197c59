#include "RobotProcess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace robottest {

namespace {

constexpr int Timeout = 20000;

} // namespace

RobotProcess::RobotProcess(const QStringList& extraArguments)
    : _process(std::make_unique<testsupport::RunningProcess>(
          QStringLiteral(TAVVIEW_ROBOT), QStringList{"--headless", "--port", "0"} + extraArguments))
{
    if (!_process->started() || !_process->waitForOutput(QStringLiteral("Listening on 127.0.0.1:"), Timeout))
        return;
    static const QRegularExpression listening(QStringLiteral("Listening on 127\\.0\\.0\\.1:(\\d+),"));
    const auto match = listening.match(_process->out());
    if (match.hasMatch())
        _port = static_cast<quint16>(match.captured(1).toUInt());
}

QString RobotProcess::waitForLine(const QString& start)
{
    QDeadlineTimer deadline(Timeout);
    if (!_process->waitForOutput(start, Timeout))
        return {};
    for (;;) {
        const QString& out = _process->out();
        const int from = out.indexOf(start);
        const int end = out.indexOf(QLatin1Char('\n'), from);
        if (end >= 0)
            return out.mid(from, end - from);
        // The robot writes each line at once, so this is only a pipe's split: let the rest
        // arrive by waiting a little for a text that never comes.
        if (deadline.hasExpired() || !_process->waitForOutput(QStringLiteral("\n\x01"), 50))
            return out.mid(from);
    }
}

bool Controller::connectTo(quint16 port)
{
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(Timeout))
        return false;
    localPort = socket.localPort();
    return true;
}

void Controller::send(const QByteArray& lines)
{
    socket.write(lines);
    socket.waitForBytesWritten(Timeout);
}

bool Controller::readLine(QString* port, QString* value)
{
    QDeadlineTimer deadline(Timeout);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || socket.state() != QAbstractSocket::ConnectedState)
            return false;
        socket.waitForReadyRead(static_cast<int>(qMin<qint64>(200, deadline.remainingTime())));
    }
    const QString line = QString::fromUtf8(socket.readLine()).trimmed();
    const int equals = line.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    *port = line.left(equals);
    *value = line.mid(equals + 1);
    values[*port] = *value;
    return true;
}

bool Controller::readRounds(int count)
{
    QMap<QString, int> seen;
    const QStringList inputs = {"distanceFront", "distanceLeft", "distanceRight", "bumper"};
    const auto done = [&] {
        for (const QString& input : inputs) {
            if (seen.value(input) < count)
                return false;
        }
        return true;
    };
    QString port;
    QString value;
    while (!done()) {
        if (!readLine(&port, &value))
            return false;
        ++seen[port];
    }
    return true;
}

bool Controller::readUntilChanged(const QString& input, double by)
{
    const double before = values.value(input).toDouble();
    QString port;
    QString value;
    for (;;) {
        if (!readLine(&port, &value))
            return false;
        if (port == input && std::abs(value.toDouble() - before) > by)
            return true;
    }
}

bool Controller::waitForClose()
{
    return socket.state() == QAbstractSocket::UnconnectedState || socket.waitForDisconnected(Timeout);
}

void Controller::close()
{
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState)
        socket.waitForDisconnected(Timeout);
}

} // namespace robottest
