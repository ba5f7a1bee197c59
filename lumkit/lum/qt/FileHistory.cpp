#include "lum/qt/FileHistory.h"

#include "lum/qt/translation/Manager.h"

#include <QApplication>
#include <QMenu>
#include <QSettings>

namespace lum::qt {

namespace {
const QString SettingsKey = QStringLiteral("recentProjects");
}

FileHistory& FileHistory::singleton()
{
    static FileHistory history;
    return history;
}

FileHistory::FileHistory(QObject* parent) : QObject(parent)
{
    _files = QSettings().value(SettingsKey).toStringList().mid(0, MaximumCount);
    connect(&translation::Manager::singleton(), &translation::Manager::languageChanged, this,
            &FileHistory::rebuildMenu);
}

FileHistory::~FileHistory()
{
    // The menu is a widget: it may only go while the application still exists.
    if (QApplication::instance())
        delete _menu;
}

void FileHistory::add(const QFileInfo& file)
{
    const QString path = file.absoluteFilePath();
    if (path.isEmpty())
        return;
    _files.removeAll(path);
    _files.prepend(path);
    while (_files.size() > MaximumCount)
        _files.removeLast();
    QSettings().setValue(SettingsKey, _files);
    rebuildMenu();
    emit filesChanged();
}

QStringList FileHistory::files() const
{
    return _files;
}

QMenu* FileHistory::menu()
{
    if (!_menu) {
        _menu = new QMenu;
        _menu->setObjectName(QStringLiteral("recentProjectsMenu"));
        rebuildMenu();
    }
    return _menu;
}

void FileHistory::rebuildMenu()
{
    if (!_menu)
        return;
    _menu->setTitle(tr("Recent Projects"));
    _menu->menuAction()->setIconText(_menu->title());
    _menu->setAccessibleName(_menu->title());
    _menu->clear();
    if (_files.isEmpty()) {
        _menu->addAction(tr("(empty)"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < _files.size(); ++i) {
        const QString path = _files.at(i);
        // Ampersands in file names must not turn into mnemonics.
        QString name = QFileInfo(path).fileName();
        name.replace('&', QLatin1String("&&"));
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        QAction* action = _menu->addAction(number + ' ' + name);
        action->setToolTip(path);
        action->setStatusTip(path);
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { emit triggered(path); });
    }
    _menu->setToolTipsVisible(true);
}

} // namespace lum::qt
