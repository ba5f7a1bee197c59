#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real FTP server (pyftpdlib, which offers MLSD) on loopback, started and stopped by a test.
// Its root is a folder of its own holding "home/tavik/", so the robot's paths exist on it.
class PyFtpServer
{
public:
    PyFtpServer(const QString& user, const QString& password);
    ~PyFtpServer();

    // False when the server did not come up; error() says why.
    bool start();
    QString error() const { return _error; }
    int port() const { return _port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(_port); }
    // The local folder that the server shows as "/home/tavik/".
    QString robotHome() const;

private:
    QString _user;
    QString _password;
    QTemporaryDir _root;
    QProcess _process;
    int _port = 0;
    QString _error;
};
