#pragma once

#include <QString>
#include <QUrl>

namespace tavview::uploader {

// The robot's FTP address of a path ("/home/tavik/..."), logged in as the robot's shell user
// (settings "telnet/user" and "telnet/password"). The port is the address's own (":port"),
// else the setting "ftp/port", else 21.
QUrl robotFtpUrl(const QString& address, const QString& path);

// The text with the password of every URL in it, and the robot login's password, removed: for
// error texts that reach a log, a message box or the debug output.
QString withoutPasswords(const QString& text);

} // namespace tavview::uploader
