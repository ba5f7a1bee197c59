#include "lumlink/HelpSystem.h"

#include "lum/qt/translation/Manager.h"
#include "lumlink/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace lumlink {

const QString HelpSystem::ContentsTopic = QStringLiteral("index");

HelpSystem& HelpSystem::singleton()
{
    static HelpSystem help;
    return help;
}

HelpSystem::HelpSystem()
{
    _helpDirectory = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../help");
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &HelpSystem::translate);
}

HelpSystem::~HelpSystem()
{
    // A window without parent is a widget that may only go while the application exists.
    if (_window && !_window->parent() && QApplication::instance())
        delete _window;
}

void HelpSystem::setMainWindow(QWidget* window)
{
    _mainWindow = window;
    if (_window && window)
        _window->setParent(window, _window->windowFlags());
}

void HelpSystem::setHelpDirectory(const QString& directory)
{
    _helpDirectory = directory;
}

QString HelpSystem::pageFile(const QString& topic) const
{
    // A topic is a plain page name: anything else (a path, "..") must not reach the file system.
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_-]+$"));
    if (!plainName.match(topic).hasMatch())
        return QString();
    const QString language = lum::qt::translation::Manager::singleton().currentLanguageString();
    if (language != QLatin1String("en")) {
        const QString translated = _helpDirectory + '/' + language + '/' + topic + ".html";
        if (QFileInfo(translated).isFile())
            return translated;
    }
    const QString english = _helpDirectory + '/' + topic + ".html";
    return QFileInfo(english).isFile() ? english : QString();
}

QUrl HelpSystem::topicUrl(const QString& topic) const
{
    QString file = pageFile(topic);
    if (file.isEmpty())
        file = pageFile(ContentsTopic);
    return file.isEmpty() ? QUrl() : QUrl::fromLocalFile(file);
}

HelpWindow* HelpSystem::window() const
{
    return _window;
}

QAction* HelpSystem::helpAction(const QString& topic)
{
    if (QAction* action = _actions.value(topic))
        return action;
    auto* action = new QAction(QIcon(QStringLiteral(":/silk/help.png")), QString(), this);
    action->setObjectName(QStringLiteral("helpAction_") + topic);
    action->setData(topic);
    connect(action, &QAction::triggered, this, [this, topic] { showTopic(topic); });
    _actions.insert(topic, action);
    translate();
    return action;
}

void HelpSystem::showTopic(const QString& topic)
{
    if (!_window) {
        _window = new HelpWindow(_mainWindow);
        connect(_window, &HelpWindow::contentsRequested, this, [this] { showTopic(ContentsTopic); });
    }
    _window->showPage(topicUrl(topic));
    _window->show();
    _window->raise();
    _window->activateWindow();
}

void HelpSystem::translate()
{
    for (auto it = _actions.cbegin(); it != _actions.cend(); ++it) {
        const bool contents = it.key() == ContentsTopic;
        it.value()->setText(contents ? tr("Help &Contents") : tr("&Help"));
        it.value()->setToolTip(contents ? tr("Show the contents of the help") : tr("Show the help on this"));
    }
    // The open page follows the language: the same topic, now in the other language.
    if (_window && _window->isVisible())
        _window->showPage(topicUrl(QFileInfo(_window->currentPage().toLocalFile()).completeBaseName()));
}

} // namespace lumlink
