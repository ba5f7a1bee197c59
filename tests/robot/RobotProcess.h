#pragma once

#include "RunningProcess.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTcpSocket>
#include <memory>

namespace robottest {

// A headless tavview_robot on a free loopback port.
class RobotProcess
{
public:
    explicit RobotProcess(const QStringList& extraArguments = {});

    // 0 when the robot did not come up.
    quint16 port() const { return _port; }
    testsupport::RunningProcess& process() { return *_process; }
    // The first line of the robot's log that starts with start, waited for; empty when none
    // came.
    QString waitForLine(const QString& start);

private:
    std::unique_ptr<testsupport::RunningProcess> _process;
    quint16 _port = 0;
};

// A controller: a plain TCP client speaking the robot's lines.
class Controller
{
public:
    bool connectTo(quint16 port);
    void send(const QByteArray& lines);
    // Reads lines until each input has been seen count more times; false on time-out or close.
    bool readRounds(int count);
    // Reads until the input's value differs from before by more than by; false otherwise.
    bool readUntilChanged(const QString& input, double by);
    // True once the robot closed the link.
    bool waitForClose();
    void close();

    // The client's own port, as the robot's log names it.
    quint16 localPort = 0;
    QMap<QString, QString> values;
    QTcpSocket socket;

private:
    bool readLine(QString* port, QString* value);
};

} // namespace robottest
