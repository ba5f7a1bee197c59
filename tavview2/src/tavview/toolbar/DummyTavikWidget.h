#pragma once

#include <QWidget>

class QLabel;

namespace tavview::toolbar {

// Stands in the toolbar where the robot's own widget goes while the project has no robot.
class DummyTavikWidget : public QWidget
{
    Q_OBJECT

public:
    explicit DummyTavikWidget(QWidget* parent);

public slots:
    void translate();

private:
    QLabel* _label;
};

} // namespace tavview::toolbar
