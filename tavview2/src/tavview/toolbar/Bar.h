#pragma once

#include <QPointer>
#include <QToolBar>

namespace lumlink::project {
class Device;
class Project;
} // namespace lumlink::project

namespace tavview::toolbar {

// The main window's toolbar: project commands, the active project's execution commands, the
// robot widget of its first robot device (or a stand-in) and the brand.
class Bar : public QToolBar
{
    Q_OBJECT

public:
    explicit Bar(QWidget* parent = nullptr);

    QAction* startAllAction() const { return _startAllAction; }
    QAction* dummyWidgetAction() const { return _dummyWidgetAction; }
    QAction* tavikWidgetAction() const { return _tavikWidgetAction; }
    QAction* brandWidgetAction() const { return _brandWidgetAction; }

public slots:
    void translate();
    void on_showToolbar_triggered();
    void on_activeProjectChanged(lumlink::project::Project* project);
    void on_projectDeviceAdded(lumlink::project::Device* device, lumlink::project::Project* project);
    void on_projectDeviceRemoved(lumlink::project::Device* device, lumlink::project::Project* project);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateTavikToolbar(lumlink::project::Device* device);
    void removeTavikWidget();

    QAction* _defaultStartAction;
    QAction* _defaultStartAllAction;
    QAction* _defaultSuspendAction;
    QAction* _defaultTerminateAction;
    QAction* _startAction;
    QAction* _startAllAction;
    QAction* _suspendAction;
    QAction* _terminateAction;
    QAction* _executionAnchor = nullptr;
    QAction* _tavikWidgetAction = nullptr;
    QAction* _dummyWidgetAction = nullptr;
    QAction* _brandWidgetAction = nullptr;
    QPointer<lumlink::project::Project> _currProject;
    lumlink::project::Device* _currDevice = nullptr;
};

} // namespace tavview::toolbar
