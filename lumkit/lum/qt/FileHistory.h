#pragma once

#include <QFileInfo>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QMenu;

namespace lum::qt {

// The recently used project files, newest first, kept in the user's settings store under
// "recentProjects" and offered as the "Recent Projects" menu.
class FileHistory : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaximumCount = 10;

    static FileHistory& singleton();

    // Reads the stored list; every instance works on the same settings key.
    explicit FileHistory(QObject* parent = nullptr);
    ~FileHistory() override;

    // Puts the file's absolute path first, dropping an older entry of the same path and the
    // entries beyond MaximumCount, and stores the list.
    void add(const QFileInfo& file);
    QStringList files() const;

    // The menu, owned by the history; its entries are rebuilt whenever the list or the language
    // changes.
    QMenu* menu();

signals:
    void triggered(const QString& path);
    void filesChanged();

private slots:
    void rebuildMenu();

private:
    QStringList _files;
    QPointer<QMenu> _menu;
};

} // namespace lum::qt
