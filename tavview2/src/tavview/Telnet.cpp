#include <tavview/Telnet.h>

#include <tavview/ShellQuote.h>
#include <tavview/TelnetClient.h>

#include <kirogen/model/GlobalVariable.h>
#include <util/UserProfilePath.h>

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSettings>
#include <QStringMatcher>
#include <QTextStream>
#include <QTimer>

namespace tavview {

namespace {

Q_LOGGING_CATEGORY(lcTelnet, "tavview.telnet")

const QString packagesDir = QStringLiteral("/home/tavik/.packages");

bool isFirmware(const QString& package)
{
    return package.startsWith(QLatin1String("tavik-firmware")) ||
           package.startsWith(QLatin1String("tavikarm-firmware"));
}

// A package name goes to the robot's shell: anything beyond a plain package name is quoted so
// that it stays one argument and runs nothing.
QString shellArgument(const QString& name)
{
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9._+:=/-]+$"));
    return plainName.match(name).hasMatch() ? name : shellQuoted(name);
}

QString commandLine(const QString& script, const QStringList& packages)
{
    QString line = packagesDir + script;
    for (const QString& package : packages)
        line += QLatin1Char(' ') + shellArgument(package);
    return line;
}

// The parser's fixed texts, searched for in every line of a long run: prepared once.
const QStringMatcher infoFinishedText(QStringLiteral("pkginfo finished"));
const QStringMatcher installFinishedText(QStringLiteral("pkginstall finished"));
const QStringMatcher removeFinishedText(QStringLiteral("pkgremove finished"));
const QStringMatcher daemonsStartedText(QStringLiteral("tavik-daemons started"));
const QStringMatcher separatorText(QStringLiteral(";;"));
const QStringMatcher stopText(QStringLiteral("Send SIG2 to lcdd."));
// What the interpreter prints once its program is terminated: its devices are let go next.
const QString disconnectingText = QStringLiteral("Disconnecting devices");

bool contains(const QStringRef& line, const QStringMatcher& text)
{
    return text.indexIn(line.unicode(), line.size()) != -1;
}

QStringList withoutFirmware(const QStringList& packages)
{
    QStringList result;
    for (const QString& package : packages) {
        if (!isFirmware(package))
            result.append(package);
    }
    return result;
}

} // namespace

Telnet::Telnet(QObject* parent, bool prompt)
    : QObject(parent), _timer(new QTimer(this)), _graceTimer(new QTimer(this)),
      _telnet(new TelnetClient(this)),
      _loginTimeout(QSettings().value(QStringLiteral("telnet/loginTimeout"), 120000).toInt()), _prompt(prompt)
{
    const QString profile = util::userProfilePath();
    if (QDir::home().mkpath(profile)) {
        auto* file = new QFile(QDir::home().filePath(profile + QStringLiteral("/telnet_debug.txt")), this);
        if (file->open(QIODevice::WriteOnly)) {
            _logFile = file;
            _log = std::make_unique<QTextStream>(_logFile);
        } else {
            delete file;
        }
    }

    connect(_timer, &QTimer::timeout, this, &Telnet::on_timer_timeout);
    _timer->setSingleShot(true);
    _graceTimer->setSingleShot(true);
    connect(_graceTimer, &QTimer::timeout, this, &Telnet::closeConnection);

    _nameLinePattern =
        QRegExp(QStringLiteral("## %1;;.* ##")
                    .arg(QLatin1String(kirogen::model::GlobalVariable::nameValidatorExpression)),
                Qt::CaseSensitive, QRegExp::RegExp);

    _telnet->setObjectName(QStringLiteral("telnet"));
    connect(_telnet, &TelnetClient::loggedIn, this, &Telnet::on_telnet_loggedIn);
    connect(_telnet, &TelnetClient::loggedOut, this, &Telnet::on_telnet_loggedOut);
    connect(_telnet, &TelnetClient::loginFailed, this, &Telnet::on_telnet_loginFailed);
    connect(_telnet, &TelnetClient::loginRequired, this, &Telnet::on_telnet_loginRequired);
    connect(_telnet, &TelnetClient::connectionError, this, &Telnet::on_telnet_connectionError);
    connect(_telnet, &TelnetClient::message, this, &Telnet::on_telnet_message);
}

// The stream goes first (writing what it still buffers), then the children with the file.
Telnet::~Telnet() = default;

void Telnet::connectToHost(const QString& host)
{
    _loginErrorReported = false;
    _timer->start(_loginTimeout);
    _telnet->connectToHost(host);
}

void Telnet::sendData(const QString& text)
{
    _telnet->sendData(text);
}

void Telnet::getVersion(const QStringList& packages)
{
    sendData(QStringLiteral("cd %1; tar xf %1/pkgtools.tar").arg(packagesDir));
    sendData(commandLine(QStringLiteral("/pkginfo.sh"), packages));
}

void Telnet::installPackages(const QStringList& packages)
{
    const QStringList names = withoutFirmware(packages);
    if (names.isEmpty()) {
        emit packageInstallFinished();
        return;
    }
    sendData(commandLine(QStringLiteral("/pkginstall.sh"), names));
}

void Telnet::removePackages(const QStringList& packages)
{
    const QStringList names = withoutFirmware(packages);
    if (names.isEmpty()) {
        emit packageRemoveFinished();
        return;
    }
    sendData(commandLine(QStringLiteral("/pkgremove.sh"), names));
}

void Telnet::startOpentavik1()
{
    sendData(packagesDir + QStringLiteral("/start-tavik-daemons.sh"));
}

// Written through at once: the log is read while the robot runs, and must survive a crash.
void Telnet::debugLog(const QString& text)
{
    if (_log) {
        *_log << text;
        _log->flush();
    }
}

void Telnet::endRun(int graceMs)
{
    if (_ending)
        return;
    _timer->stop();
    if (!_telnet->isLoggedIn()) {
        closeConnection();
        return;
    }
    _ending = true;
    _telnet->sendInterrupt();
    _graceTimer->start(graceMs);
}

void Telnet::closeConnection()
{
    _ending = false;
    _graceTimer->stop();
    _telnet->disconnectFromHost();
    emit runEnded();
}

void Telnet::on_telnet_connectionError(QAbstractSocket::SocketError)
{
    // A connection that cannot be made shows as the login time-out running out.
}

void Telnet::on_telnet_loggedIn()
{
    _timer->stop();
    _awaitingPassword = _prompt;
    emit loggedIn();
}

void Telnet::on_telnet_loggedOut()
{
    _awaitingPassword = false;
    emit loggedOut();
    if (_ending)
        closeConnection();
}

void Telnet::on_telnet_loginFailed()
{
    reportLoginError();
}

void Telnet::on_telnet_loginRequired()
{
    // The transport answers the login prompts itself.
}

void Telnet::on_telnet_message(const QString& text)
{
    debugLog(text);
    qCDebug(lcTelnet).noquote() << text;

    bool handled = false;
    const QVector<QStringRef> lines = text.splitRef(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QStringRef& line : lines)
        parseLine(line, handled);

    if (!handled)
        emit message(text);

    if (_ending && (text.contains(disconnectingText) || contains(QStringRef(&text), stopText)))
        closeConnection();
}

void Telnet::parseLine(const QStringRef& line, bool& handled)
{
    if (_awaitingPassword && line.startsWith(QLatin1String("Password:"))) {
        _awaitingPassword = false;
        handled = true;
    }
    if (contains(line, infoFinishedText)) {
        emit packageInfoFinished();
        handled = true;
    }
    if (contains(line, installFinishedText)) {
        emit packageInstallFinished();
        handled = true;
    }
    if (contains(line, removeFinishedText)) {
        emit packageRemoveFinished();
        handled = true;
    }
    if (contains(line, daemonsStartedText)) {
        emit opentavik1Started();
        handled = true;
    }
    // Every name line holds ";;": the cheap test spares the pattern most other lines.
    if (contains(line, separatorText) && _nameLinePattern.indexIn(line.toString()) != -1) {
        // Split at ";;" keeping empty parts: two parts means exactly one separator.
        const QStringRef inner = line.mid(3, line.size() - 6);
        const int separator = separatorText.indexIn(inner.unicode(), inner.size());
        if (separator != -1 && separatorText.indexIn(inner.unicode(), inner.size(), separator + 2) == -1) {
            const QString name = inner.left(separator).toString();
            const QString value = inner.mid(separator + 2).toString();
            qCDebug(lcTelnet).noquote() << name << value;
            emit globalVariableReceived(name, value);
            handled = true;
        }
    }
    if (line.startsWith(QLatin1String("TavikView Interpreter Version"))) {
        QString rest = line.toString();
        rest.remove(QStringLiteral("TavikView Interpreter Version "));
        const lum::core::Version version(rest);
        if (!version.isEmpty())
            emit interpreterVersionReceived(version);
    }
    if (contains(line, stopText))
        emit interpreterStopped();
}

void Telnet::on_timer_timeout()
{
    reportLoginError();
}

// A failed login and the time-out can both come for one attempt: the user hears of it once.
void Telnet::reportLoginError()
{
    _timer->stop();
    if (_loginErrorReported)
        return;
    _loginErrorReported = true;
    emit errorMessage(tr("Error: %1").arg(tr("Login failed")));
}

} // namespace tavview
