#pragma once

#include "lum/qt/gui/option/Page.h"

class QComboBox;
class QLabel;

namespace lum::qt::gui::option {

// "General": the language of the workbench.
class GeneralPage : public Page
{
    Q_OBJECT

public:
    explicit GeneralPage(QWidget* parent = nullptr);

private slots:
    void translate();
    void on_language_activated(int index);

private:
    QLabel* _languageLabel;
    QComboBox* _language;
    QLabel* _note;
};

} // namespace lum::qt::gui::option
