#pragma once

#include <QPointer>
#include <QStackedWidget>

namespace tavview {

// The main window's central widget: the program view of the active project as its first page.
class TaskView : public QStackedWidget
{
    Q_OBJECT

public:
    explicit TaskView(QWidget* parent = nullptr);

    // The current program view, or null.
    QWidget* programView() const { return _programView; }
    // Shows view as the first page and takes it over; the previous view is left to the caller.
    void setProgramView(QWidget* view);
    void setComponentEnabled(bool enabled);

private:
    QPointer<QWidget> _programView;
};

} // namespace tavview
