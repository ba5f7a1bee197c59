#pragma once

#include <QTabWidget>

namespace tavview {

// The robot task panel's tabs ("Project", "Upload"), whose tab bar alone can be switched off.
class TavikTaskTabWidget : public QTabWidget
{
    Q_OBJECT

public:
    explicit TavikTaskTabWidget(QWidget* parent = nullptr);

    // Enables or disables the tab bar only; the pages keep their own state.
    void setComponentEnabled(bool enabled);
};

} // namespace tavview
