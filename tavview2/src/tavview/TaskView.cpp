#include "tavview/TaskView.h"

namespace tavview {

TaskView::TaskView(QWidget* parent) : QStackedWidget(parent)
{
    setObjectName(QStringLiteral("taskView"));
}

void TaskView::setProgramView(QWidget* view)
{
    if (_programView)
        removeWidget(_programView);
    _programView = view;
    if (!view)
        return;
    insertWidget(0, view);
    setCurrentIndex(0);
}

void TaskView::setComponentEnabled(bool enabled)
{
    setEnabled(enabled);
}

} // namespace tavview
