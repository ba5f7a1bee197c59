#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <robot/ControllerLink.h>
#include <cmath>

namespace robot {

namespace {

QString peerName(const QTcpSocket& socket)
{
    return QStringLiteral("%1:%2").arg(socket.peerAddress().toString()).arg(socket.peerPort());
}

QByteArray distanceText(double metres)
{
    // Millimetres: finer changes would only flood the link.
    return QByteArray::number(metres, 'f', 3);
}

} // namespace

ControllerLink::ControllerLink(QObject* parent)
    : QObject(parent), _server(new QTcpServer(this)), _refresh(new QTimer(this))
{
    connect(_server, &QTcpServer::newConnection, this, &ControllerLink::acceptController);
    _refresh->setTimerType(Qt::PreciseTimer);
    _refresh->setInterval(refreshMilliseconds);
    connect(_refresh, &QTimer::timeout, this, [this] { send(true); });
}

bool ControllerLink::listen(const QHostAddress& address, quint16 port)
{
    return _server->listen(address, port);
}

QString ControllerLink::errorString() const
{
    return _server->errorString();
}

quint16 ControllerLink::port() const
{
    return _server->serverPort();
}

void ControllerLink::acceptController()
{
    while (QTcpSocket* socket = _server->nextPendingConnection()) {
        if (_controller) {
            emit controllerRefused(peerName(*socket));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        _controller = socket;
        // A changed reading goes out at once, not after the peer's delayed acknowledgement.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        _peer = peerName(*socket);
        _received.clear();
        _discardingLine = false;
        _sent.clear();
        connect(socket, &QTcpSocket::readyRead, this, &ControllerLink::readCommands);
        connect(socket, &QTcpSocket::disconnected, this, &ControllerLink::dropController);
        emit controllerConnected(_peer);
        send(true);
        _refresh->start();
    }
}

void ControllerLink::dropController()
{
    if (!_controller)
        return;
    _refresh->stop();
    _controller->disconnect(this);
    _controller->deleteLater();
    _controller = nullptr;
    emit controllerDisconnected(_peer);
}

void ControllerLink::readCommands()
{
    const QByteArray data = _controller->readAll();
    for (const char c : data) {
        if (c == '\n') {
            if (!_discardingLine)
                handleLine(_received.endsWith('\r') ? _received.chopped(1) : _received);
            _received.clear();
            _discardingLine = false;
        } else if (!_discardingLine) {
            _received.append(c);
            if (_received.size() > maxLineLength) {
                _received.clear();
                _discardingLine = true;
            }
        }
    }
}

void ControllerLink::handleLine(const QByteArray& line)
{
    const int equals = line.indexOf('=');
    if (equals <= 0)
        return;
    const QByteArray port = line.left(equals);
    bool ok = false;
    const double value = line.mid(equals + 1).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return;
    if (port == "speed")
        emit speedReceived(value);
    else if (port == "steering")
        emit steeringReceived(value);
}

void ControllerLink::publish(const SensorReadings& readings)
{
    _values["distanceFront"] = distanceText(readings.front);
    _values["distanceLeft"] = distanceText(readings.left);
    _values["distanceRight"] = distanceText(readings.right);
    _values["bumper"] = readings.bumper ? "true" : "false";
    send(false);
}

void ControllerLink::send(bool everything)
{
    // A controller that stops reading gets no more than a bounded backlog; what it missed
    // goes out again with the next full round once it reads.
    if (!_controller || _values.empty() || _controller->bytesToWrite() > maxBacklog)
        return;
    QByteArray lines;
    for (const auto& [port, text] : _values) {
        auto sent = _sent.find(port);
        if (everything || sent == _sent.end() || sent->second != text) {
            lines += port + '=' + text + '\n';
            _sent[port] = text;
        }
    }
    if (!lines.isEmpty())
        _controller->write(lines);
}

} // namespace robot
