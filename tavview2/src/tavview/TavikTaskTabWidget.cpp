#include <tavview/TavikTaskTabWidget.h>
#include <QTabBar>

namespace tavview {

TavikTaskTabWidget::TavikTaskTabWidget(QWidget* parent) : QTabWidget(parent)
{
}

void TavikTaskTabWidget::setComponentEnabled(bool enabled)
{
    tabBar()->setEnabled(enabled);
}

} // namespace tavview
