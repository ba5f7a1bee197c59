#pragma once

#include <tavview/uploader/FtpEntry.h>
#include <QUrl>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace tavview::uploader {

class FtpLister;

// A robot folder as the user sees it: its folders and project files with sizes and dates, and
// ".." to go up (never above the robot's home folder). Activating a folder or a project file
// reports it; the owner decides what to list next or what to run.
class FtpView : public QWidget
{
    Q_OBJECT

public:
    explicit FtpView(QWidget* parent = nullptr);

    // folder: an ftp URL with user name and password whose path is the folder's absolute
    // path. The entries show when they arrive; listed() or listingFailed() follows.
    void list(const QUrl& folder);
    QUrl folder() const { return _folder; }
    // How long connecting, and each answer of the robot, may take.
    void setTimeout(int ms);

    static const QString robotHome;

signals:
    void dirClicked(const QUrl& folder);
    void programClicked(const QUrl& file);
    void listed(const QUrl& folder);
    void listingFailed(const QString& reason);

public slots:
    void translate();

private:
    void onListed(const QUrl& folder, const tavview::uploader::FtpEntries& entries);
    void onFailed(const QUrl& folder, const QString& reason);
    void onItemActivated(QTreeWidgetItem* item);
    void addItem(const QString& name, const QString& path, int kind, const FtpEntry* entry);

    QTreeWidget* _tree;
    FtpLister* _lister;
    QUrl _folder;
};

} // namespace tavview::uploader
