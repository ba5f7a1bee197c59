#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace lum::qt::gui::widgets {

// A title above an indeterminate progress bar, for work whose length is unknown, with a Cancel
// button when the work can be cancelled.
class Progress : public QWidget
{
    Q_OBJECT

public:
    Progress(QWidget* parent, bool cancellable, const QString& title);

    QString title() const;
    void setTitle(const QString& title);

    bool isCancellable() const;

signals:
    void cancel();

private slots:
    void translate();

private:
    QLabel* _title;
    QProgressBar* _bar;
    QPushButton* _cancel;
};

} // namespace lum::qt::gui::widgets
