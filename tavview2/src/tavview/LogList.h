#pragma once

#include <tavview/LogEntry.h>
#include <QIcon>
#include <QListWidget>
#include <array>

class QTimer;

namespace tavview {

// The robot link's message list: newest message on top with an icon for its kind. Progress of
// the current step grows the newest message by appended dots; a running step turns its cog.
class LogList : public QListWidget
{
    Q_OBJECT

public:
    explicit LogList(QWidget* parent);

    void addLogEntry(const LogEntry& entry);
    // Extends the newest message; a message of 100 characters or more instead has its runs of
    // dots shortened, so it never outgrows the list.
    void append(const QString& text);
    // Null without any message.
    QString currentText() const;

    void startRunningTimer();
    void stopRunningTimer();

    QSize sizeHint() const override;

    static QIcon iconFine;
    static QIcon iconInfo;
    static QIcon iconWarning;
    static QIcon iconError;
    static std::array<QIcon, 2> iconRunning;

public slots:
    void translate();

private slots:
    void on_runningTimer_timeout();

private:
    QTimer* _runningTimer;
    int _runningPhase = 0;
    QListWidgetItem* _currentItem = nullptr;
};

} // namespace tavview
