#include "tavview/toolbar/Brennic.h"

#include "tavview/Brand.h"

#include <lum/qt/gui/widgets/HyperLabel.h>
#include <lum/qt/translation/Manager.h>
#include <QHBoxLayout>

namespace tavview::toolbar {

Brennic::Brennic(QWidget* parent) : QWidget(parent), _label(new lum::qt::gui::widgets::HyperLabel(this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    const Brand brand = Brand::fromSettings();
    _label->setPixmap(QPixmap(brand.logo()));
    _label->setLink(brand.link());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(10000);
    layout->addWidget(_label);
    layout->addSpacing(35);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Brennic::translate);
    translate();
}

void Brennic::translate()
{
    _label->setAccessibleName(tr("Brand web page"));
}

} // namespace tavview::toolbar
