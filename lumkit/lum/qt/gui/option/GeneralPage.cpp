#include "lum/qt/gui/option/GeneralPage.h"

#include "lum/qt/translation/Manager.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace lum::qt::gui::option {

using translation::Manager;

GeneralPage::GeneralPage(QWidget* parent)
    : Page(parent), _languageLabel(new QLabel(this)), _language(new QComboBox(this)), _note(new QLabel(this))
{
    setObjectName(QStringLiteral("generalPage"));
    _language->setObjectName(QStringLiteral("language"));
    for (const QString& language : Manager::languages())
        _language->addItem(Manager::nativeName(language), language);
    _languageLabel->setBuddy(_language);
    _note->setWordWrap(true);

    auto* layout = new QFormLayout(this);
    layout->addRow(_languageLabel, _language);
    layout->addRow(_note);

    connect(_language, QOverload<int>::of(&QComboBox::activated), this, &GeneralPage::on_language_activated);
    connect(&Manager::singleton(), &Manager::languageChanged, this, &GeneralPage::translate);
    translate();
}

void GeneralPage::on_language_activated(int index)
{
    Manager::singleton().setLanguage(_language->itemData(index).toString());
}

void GeneralPage::translate()
{
    setTitle(tr("General"));
    _languageLabel->setText(tr("&Language:"));
    _language->setAccessibleName(tr("Language"));
    _language->setCurrentIndex(_language->findData(Manager::singleton().currentLanguageString()));
    _note->setText(tr("The language changes at once and is used again at the next start."));
}

} // namespace lum::qt::gui::option
