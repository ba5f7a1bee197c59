#pragma once

#include <lum/core/Version.h>
#include <QByteArray>
#include <QMap>
#include <QNetworkReply>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

class QAction;
class QSplitter;

namespace lum::qt::gui::widgets {
class Progress;
}

namespace tavview {
class LogList;
class Telnet;
} // namespace tavview

namespace tavview::uploader {

class Debug;
class FtpUpload;
class FtpView;

// The "Upload" page of the robot task panel: stores the active project in a robot folder over
// FTP, runs a stored program on the robot through its shell, and shows the run's progress in
// a log list and its global variables in a table.
class View : public QWidget
{
    Q_OBJECT

public:
    explicit View(QWidget* parent);

    // Milliseconds a transfer may go without progress before it is given up (setting
    // "ftp/transferTimeout", default 30 s).
    static const QString transferTimeoutKey;
    static constexpr int defaultTransferTimeoutMs = 30000;

public slots:
    void on_ipAddressChanged(const QString& address);
    void on_invalidIPAddress(const QString& address);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void translate();
    void on_uploadAction_triggered();
    void on_refreshAction_triggered();
    void on_telnet_loggedIn();
    void on_telnet_errorMessage(const QString& text);
    void on_telnet_message(const QString& text);
    void on_telnet_globalVariableReceived(const QString& name, const QString& value);
    void on_telnet_interpreterVersionReceived(const lum::core::Version& version);
    void on_telnet_interpreterStopped();
    void on_ftpView_dirClicked(const QUrl& url);
    void on_ftpView_programClicked(const QUrl& url);
    void on_ftpView_listed();
    void on_ftpView_listingFailed(const QString& reason);
    void on_ftpReply_finished();
    void on_ftpReply_error(QNetworkReply::NetworkError code);
    void on_ftpUpload_failed(const QString& reason);
    void on_progressWidget_cancel();
    void on_helpAction_triggered();

private:
    void startProgram(const QString& path);
    void createTelnet(const QString& path);
    void cancelCurrentAction();
    void showProgressWidget(const QString& title);
    void hideProgressWidget();
    void setActionsEnabled(bool enabled);
    // The robot's FTP address of a path, logged in as the robot's shell user.
    QUrl ftpUrl(const QString& path) const;
    bool isBusyWithRemoteOrUpload() const;
    void listCurrentFolder();
    // Lets the remote run end on its own terms and forgets it.
    void endRemoteRun();
    // Ends the remote run for a reason of its own (the interpreter stopped, a login error, an
    // out-of-date interpreter); unlike cancelCurrentAction() it leaves an upload running.
    void endRun();

    LogList* _logList;
    QAction* _uploadAction;
    QAction* _refreshAction;
    QAction* _helpAction;
    Telnet* _telnet = nullptr;
    QString _ipAddress;
    QByteArray _projectBytes;
    QString _currentFolder;
    QString _commandLine;
    QMap<QString, QString> _statusTexts; // English -> the user's language
    lum::qt::gui::widgets::Progress* _progressWidget = nullptr;
    QSplitter* _upperSplitter;
    Debug* _debug;
    FtpView* _ftpView;
    FtpUpload* _ftpUpload;
    QPointer<QNetworkReply> _ftpReply;
    QString _uploadFileName;
    // A listing is under way that ends the "Refreshing" progress.
    bool _refreshing = false;
    // A listing is under way during an upload or a remote run, which keep their own progress.
    bool _browsing = false;
};

} // namespace tavview::uploader
