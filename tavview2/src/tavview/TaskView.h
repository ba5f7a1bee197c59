#pragma once

#include <QPointer>
#include <QStackedWidget>

namespace tavview {

class TavikTask;

// The main window's central widget: the active project's program view, or the robot task panel
// while the upload command is checked.
class TaskView : public QStackedWidget
{
    Q_OBJECT

public:
    explicit TaskView(QWidget* parent = nullptr);

    // The current program view, or null.
    QWidget* programView() const { return _programView; }
    // Shows view as the first page; the previous view stays the caller's to delete.
    void setProgramView(QWidget* view);
    void setComponentEnabled(bool enabled);

    TavikTask* tavikTask() const { return _tavikTask; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void translate();
    void on_back();
    void on_uploadCurProj_triggered(bool checked);

private:
    TavikTask* _tavikTask;
    QPointer<QWidget> _programView;
};

} // namespace tavview
