#include <tavview/AboutScreen.h>
#include <tavview/SplashBackground.h>
#include <QPainter>
#include <QPushButton>

namespace tavview {

AboutScreen::AboutScreen(QWidget* parent)
    : QDialog(parent), _background(splashBackground()), _okButton(new QPushButton(this))
{
    setFixedSize(_background.size());
    connect(_okButton, &QPushButton::clicked, this, &QDialog::accept);
    translate();
}

void AboutScreen::translate()
{
    _background = splashBackground();
    _okButton->setText(tr("Ok"));
    _okButton->setAccessibleName(tr("Close the About dialog"));
    // No layout: the button keeps its natural size with its corner at a fixed spot.
    _okButton->adjustSize();
    _okButton->move(_background.width() - 150, _background.height() - 30);
    update();
}

void AboutScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, _background);
}

} // namespace tavview
