#pragma once

#include <QWidget>

namespace lum::qt::gui::widgets {
class HyperLabel;
}

namespace tavview::toolbar {

// The brand logo at the right end of the toolbar, linking to the brand's web page.
class Brennic : public QWidget
{
    Q_OBJECT

public:
    explicit Brennic(QWidget* parent = nullptr);

    lum::qt::gui::widgets::HyperLabel* label() const { return _label; }

public slots:
    void translate();

private:
    lum::qt::gui::widgets::HyperLabel* _label;
};

} // namespace tavview::toolbar
