#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>
#include <robot/SensorReadings.h>
#include <map>

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace robot {

// The robot's end of the device link: lines "<port>=<value>" over TCP with one controller at
// a time. It reads the outputs "speed" and "steering" and sends the inputs "distanceFront",
// "distanceLeft", "distanceRight" and "bumper": a changed value at once, and every value
// again at least ten times a second.
class ControllerLink : public QObject
{
    Q_OBJECT

public:
    // Longer lines are dropped, as the controller's side does.
    static constexpr int maxLineLength = 4096;
    static constexpr int refreshMilliseconds = 90;
    static constexpr qint64 maxBacklog = 64 * 1024;

    explicit ControllerLink(QObject* parent = nullptr);

    bool listen(const QHostAddress& address, quint16 port);
    QString errorString() const;
    quint16 port() const;
    bool hasController() const { return !_controller.isNull(); }

    // The readings after a step: what changed goes out now.
    void publish(const SensorReadings& readings);

signals:
    void speedReceived(double metresPerSecond);
    void steeringReceived(double degrees);
    void controllerConnected(const QString& peer);
    void controllerDisconnected(const QString& peer);
    void controllerRefused(const QString& peer);

private:
    void acceptController();
    void readCommands();
    void dropController();
    void handleLine(const QByteArray& line);
    void send(bool everything);

    QTcpServer* _server;
    QTimer* _refresh;
    QPointer<QTcpSocket> _controller;
    QString _peer;
    QByteArray _received;
    bool _discardingLine = false;
    // The text of each input as last computed, and as last sent.
    std::map<QByteArray, QByteArray> _values;
    std::map<QByteArray, QByteArray> _sent;
};

} // namespace robot
