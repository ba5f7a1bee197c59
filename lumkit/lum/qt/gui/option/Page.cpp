#include "lum/qt/gui/option/Page.h"

namespace lum::qt::gui::option {

Page::Page(QWidget* parent) : QWidget(parent)
{
}

void Page::setTitle(const QString& title)
{
    if (title == _title)
        return;
    _title = title;
    setAccessibleName(title);
    emit titleChanged(title);
}

} // namespace lum::qt::gui::option
