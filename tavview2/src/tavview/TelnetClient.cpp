#include <tavview/TelnetClient.h>
#include <QLoggingCategory>
#include <QSettings>
#include <QTcpSocket>
#include <QTextCodec>
#include <QTextDecoder>
#include <QTimer>
#include <libtelnet.h>

namespace tavview {

namespace {

Q_LOGGING_CATEGORY(lcTelnetClient, "tavview.telnetclient")

constexpr quint16 defaultPort = 23;

// How long an unfinished line (a prompt, as a rule) is held back waiting for its line end.
constexpr int partialLineDelayMs = 100;

// A peer that never ends its line still gets its text passed on once this much is pending.
constexpr int maxPendingBytes = 64 * 1024;

// Before login only the last line counts (the prompt), so only this much of it is kept; a
// peer that sends more than the login limit without a prompt is no login.
constexpr int maxPromptBytes = 4 * 1024;
constexpr qint64 maxLoginBytes = 1024 * 1024;

const telnet_telopt_t telnetOptions[] = {
    {TELNET_TELOPT_ECHO, TELNET_WONT, TELNET_DO},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    // The shell sees a dumb terminal: no bracketed-paste or colour escapes in its output.
    {TELNET_TELOPT_TTYPE, TELNET_WILL, TELNET_DONT},
    {-1, 0, 0},
};

// NUL goes, and CR LF becomes LF; any other carriage return stays where it is.
QByteArray normalizedLineEnds(const QByteArray& bytes)
{
    QByteArray result;
    result.reserve(bytes.size());
    const int size = bytes.size();
    for (int i = 0; i < size; ++i) {
        const char c = bytes.at(i);
        if (c == '\0')
            continue;
        if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n')
            continue;
        result.append(c);
    }
    return result;
}

QStringRef lastLine(const QString& text)
{
    return text.midRef(text.lastIndexOf(QLatin1Char('\n')) + 1);
}

// "robot login: ", but not the "Last login: ..." line after a successful login cut by a read.
bool endsWithLoginPrompt(const QString& text)
{
    const QStringRef line = lastLine(text);
    return line.endsWith(QLatin1String("login: ")) && !line.startsWith(QLatin1String("Last login"));
}

bool endsWithShellPrompt(const QString& text)
{
    static const char* const promptEnds[] = {"$ ", "# ", "> ", "% "};
    const QStringRef line = lastLine(text);
    for (const char* end : promptEnds) {
        if (line.endsWith(QLatin1String(end)))
            return true;
    }
    return false;
}

} // namespace

TelnetClient::TelnetClient(QObject* parent)
    : QObject(parent), _socket(new QTcpSocket(this)), _partialLineTimer(new QTimer(this))
{
    _partialLineTimer->setSingleShot(true);
    _partialLineTimer->setInterval(partialLineDelayMs);
    connect(_partialLineTimer, &QTimer::timeout, this, &TelnetClient::flushPartialLine);
    connect(_socket, &QTcpSocket::readyRead, this, &TelnetClient::onReadyRead);
    connect(_socket, &QTcpSocket::disconnected, this, &TelnetClient::onDisconnected);
    connect(_socket, &QTcpSocket::errorOccurred, this, &TelnetClient::onErrorOccurred);
}

TelnetClient::~TelnetClient()
{
    // The socket goes with the children; it must not call back into a half-destroyed client.
    _socket->disconnect(this);
    if (_telnet)
        telnet_free(_telnet);
}

void TelnetClient::connectToHost(const QString& host)
{
    resetSession();
    const QSettings settings;
    _user = settings.value(QStringLiteral("telnet/user"), QStringLiteral("tavik")).toString();
    _password = settings.value(QStringLiteral("telnet/password"), QStringLiteral("qorvemba")).toString();

    QString address = host;
    quint16 port = defaultPort;
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        bool ok = false;
        const quint16 givenPort = host.midRef(colon + 1).toUShort(&ok);
        if (ok && givenPort != 0) {
            address = host.left(colon);
            port = givenPort;
        }
    }
    _state = State::AwaitingLoginPrompt;
    _socket->connectToHost(address, port);
}

void TelnetClient::sendData(const QString& text)
{
    if (_state != State::LoggedIn) {
        // Before login a command line would be taken for the login name.
        qCWarning(lcTelnetClient) << "Not logged in, command line dropped:" << text;
        return;
    }
    sendLine(text.toUtf8());
}

void TelnetClient::disconnectFromHost()
{
    _socket->disconnectFromHost();
}

void TelnetClient::sendInterrupt()
{
    if (_state == State::LoggedIn)
        telnet_iac(_telnet, TELNET_IP);
}

void TelnetClient::eventHandler(telnet_t*, telnet_event_t* event, void* userData)
{
    static_cast<TelnetClient*>(userData)->handleEvent(*event);
}

void TelnetClient::handleEvent(const telnet_event_t& event)
{
    switch (event.type) {
    case TELNET_EV_DATA:
        _received.append(event.data.buffer, static_cast<int>(event.data.size));
        break;
    case TELNET_EV_SEND:
        _socket->write(event.data.buffer, static_cast<qint64>(event.data.size));
        break;
    case TELNET_EV_TTYPE:
        if (event.ttype.cmd == TELNET_TTYPE_SEND)
            telnet_ttype_is(_telnet, "dumb");
        break;
    case TELNET_EV_WARNING:
    case TELNET_EV_ERROR:
        qCWarning(lcTelnetClient) << "Telnet protocol:" << event.error.msg;
        break;
    default:
        break;
    }
}

void TelnetClient::onReadyRead()
{
    const QByteArray bytes = _socket->readAll();
    telnet_recv(_telnet, bytes.constData(), static_cast<size_t>(bytes.size()));
    if (_state == State::LoggedIn) {
        deliverCompleteLines();
        return;
    }
    _loginBytes += bytes.size();
    if (_received.size() > maxPromptBytes)
        _received.remove(0, _received.size() - maxPromptBytes);
    advanceLogin(QString::fromUtf8(normalizedLineEnds(_received)));
    const bool loggingIn = _state == State::AwaitingLoginPrompt || _state == State::AwaitingPasswordPrompt ||
                           _state == State::AwaitingShell;
    if (loggingIn && _loginBytes > maxLoginBytes) {
        qCWarning(lcTelnetClient) << "No login after" << _loginBytes << "bytes";
        failLogin();
    }
}

void TelnetClient::advanceLogin(const QString& text)
{
    switch (_state) {
    case State::AwaitingLoginPrompt:
        if (endsWithLoginPrompt(text)) {
            _received.clear();
            _state = State::AwaitingPasswordPrompt;
            sendLine(_user.toUtf8());
            emit loginRequired();
        }
        break;
    case State::AwaitingPasswordPrompt:
        if (text.endsWith(QLatin1String("assword: "))) {
            _received.clear();
            _state = State::AwaitingShell;
            sendLine(_password.toUtf8());
        } else if (endsWithShellPrompt(text)) {
            _received.clear();
            _state = State::LoggedIn;
            emit loggedIn();
        }
        break;
    case State::AwaitingShell:
        // A second login prompt without the message means the same as the message.
        if (text.contains(QLatin1String("Login incorrect")) || endsWithLoginPrompt(text)) {
            failLogin();
        } else if (endsWithShellPrompt(text)) {
            _received.clear();
            _state = State::LoggedIn;
            emit loggedIn();
        }
        break;
    default:
        _received.clear();
        break;
    }
}

void TelnetClient::failLogin()
{
    _received.clear();
    _state = State::Failed;
    _socket->abort();
    emit loginFailed();
}

void TelnetClient::deliverCompleteLines()
{
    const int lastLineEnd = _received.lastIndexOf('\n');
    if (lastLineEnd >= 0) {
        const QByteArray lines = _received.left(lastLineEnd + 1);
        _received.remove(0, lastLineEnd + 1);
        deliver(lines);
    }
    if (_received.size() >= maxPendingBytes) {
        // A CR at the end may be the first half of a line end: it waits for its LF.
        const int keep = _received.endsWith('\r') ? 1 : 0;
        const QByteArray pending = _received.left(_received.size() - keep);
        _received.remove(0, pending.size());
        deliver(pending);
    }
    // The wait counts from the first byte of the unfinished line: text that keeps coming
    // without a line end must not hold it back for ever.
    if (_received.isEmpty())
        _partialLineTimer->stop();
    else if (!_partialLineTimer->isActive())
        _partialLineTimer->start();
}

void TelnetClient::flushPartialLine()
{
    const QByteArray rest = _received;
    _received.clear();
    deliver(rest);
}

void TelnetClient::deliver(const QByteArray& bytes)
{
    const QString text = _decoder->toUnicode(normalizedLineEnds(bytes));
    if (!text.isEmpty())
        emit message(text);
}

void TelnetClient::sendLine(const QByteArray& line)
{
    telnet_send(_telnet, line.constData(), static_cast<size_t>(line.size()));
    telnet_send(_telnet, "\r\n", 2);
}

void TelnetClient::onDisconnected()
{
    _partialLineTimer->stop();
    const bool wasLoggedIn = _state == State::LoggedIn;
    if (wasLoggedIn)
        flushPartialLine();
    _state = State::Disconnected;
    if (wasLoggedIn)
        emit loggedOut();
}

void TelnetClient::onErrorOccurred(QAbstractSocket::SocketError error)
{
    // The peer closing a logged-in session is the end of the shell, reported as logout.
    if (error == QAbstractSocket::RemoteHostClosedError && _state == State::LoggedIn)
        return;
    emit connectionError(error);
}

void TelnetClient::resetSession()
{
    _socket->abort();
    _partialLineTimer->stop();
    if (_telnet)
        telnet_free(_telnet);
    _telnet = telnet_init(telnetOptions, &TelnetClient::eventHandler, 0, this);
    _decoder.reset(QTextCodec::codecForName("UTF-8")->makeDecoder());
    _received.clear();
    _loginBytes = 0;
    _state = State::Disconnected;
}

} // namespace tavview
