#include <lum/qt/translation/Manager.h>
#include <tavview/Actions.h>
#include <tavview/TaskView.h>
#include <tavview/TavikTask.h>
#include <QAction>
#include <QCloseEvent>

namespace tavview {

TaskView::TaskView(QWidget* parent) : QStackedWidget(parent), _tavikTask(new TavikTask(this))
{
    setObjectName(QStringLiteral("taskView"));
    addWidget(_tavikTask);
    // After the panel's own connection: on a trigger the panel picks its tab first.
    connect(_tavikTask, &TavikTask::back, this, &TaskView::on_back);
    connect(Actions::singleton().uploadCurProj, &QAction::triggered, this,
            &TaskView::on_uploadCurProj_triggered);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &TaskView::translate);
    translate();
}

void TaskView::translate()
{
    setAccessibleName(tr("Work area"));
}

void TaskView::setProgramView(QWidget* view)
{
    if (_programView)
        removeWidget(_programView);
    _programView = view;
    // Without a view the panel is the only page left, and showing it checks the upload command.
    if (!view)
        return;
    insertWidget(0, view);
    setCurrentIndex(0);
    Actions::singleton().uploadCurProj->setChecked(false);
}

void TaskView::on_back()
{
    if (!_programView)
        return;
    setCurrentWidget(_programView);
    Actions::singleton().uploadCurProj->setChecked(false);
}

void TaskView::on_uploadCurProj_triggered(bool checked)
{
    if (checked)
        setCurrentWidget(_tavikTask);
    else
        on_back();
}

void TaskView::closeEvent(QCloseEvent* event)
{
    if (_programView)
        _programView->close();
    QStackedWidget::closeEvent(event);
}

void TaskView::setComponentEnabled(bool enabled)
{
    if (_programView)
        _programView->setEnabled(enabled);
    _tavikTask->setComponentEnabled(enabled);
}

} // namespace tavview
