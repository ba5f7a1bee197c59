#include "PyFtpServer.h"

#include "LoopbackServer.h"

#include <QDir>
#include <QTcpSocket>
#include <QThread>

PyFtpServer::PyFtpServer(const QString& user, const QString& password) : _user(user), _password(password)
{
}

PyFtpServer::~PyFtpServer()
{
    if (_process.state() != QProcess::NotRunning) {
        _process.kill();
        _process.waitForFinished(10000);
    }
}

QString PyFtpServer::robotHome() const
{
    return _root.path() + QStringLiteral("/home/tavik");
}

bool PyFtpServer::start()
{
    if (!_root.isValid() || !QDir().mkpath(robotHome())) {
        _error = QStringLiteral("no server folder");
        return false;
    }
    _port = testsupport::LoopbackServer::refusingPort();
    _process.setProcessChannelMode(QProcess::MergedChannels);
    _process.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                    QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(_port),
                    QStringLiteral("-u"), _user, QStringLiteral("-P"), _password, QStringLiteral("-d"),
                    _root.path(), QStringLiteral("-w")});
    if (!_process.waitForStarted(10000)) {
        _error = _process.errorString();
        return false;
    }
    // Up once it takes a connection; a bounded wait, so a broken server fails the test.
    for (int attempt = 0; attempt < 200; ++attempt) {
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(_port));
        if (probe.waitForConnected(1000))
            return true;
        if (_process.state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    _process.waitForFinished(1000);
    _error = QString::fromLocal8Bit(_process.readAll());
    return false;
}
