#include <tavview/toolbar/DummyTavikWidget.h>

#include <lum/qt/translation/Manager.h>
#include <QHBoxLayout>
#include <QLabel>

namespace tavview::toolbar {

DummyTavikWidget::DummyTavikWidget(QWidget* parent) : QWidget(parent), _label(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->addStretch(100);
    layout->addWidget(_label);
    layout->addStretch(100);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &DummyTavikWidget::translate);
    translate();
}

void DummyTavikWidget::translate()
{
    _label->setText(tr("No Tavik available"));
    _label->setAccessibleName(_label->text());
}

} // namespace tavview::toolbar
