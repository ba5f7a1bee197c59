#include "lum/qt/translation/Menu.h"

#include "lum/qt/translation/Manager.h"

#include <QActionGroup>

namespace lum::qt::translation {

Menu::Menu(QWidget* parent) : QMenu(parent), _group(new QActionGroup(this))
{
    setObjectName(QStringLiteral("languageMenu"));
    _group->setExclusive(true);
    for (const QString& language : Manager::languages()) {
        QAction* action = addAction(Manager::nativeName(language));
        action->setCheckable(true);
        action->setData(language);
        _group->addAction(action);
    }
    connect(_group, &QActionGroup::triggered, this,
            [](QAction* action) { Manager::singleton().setLanguage(action->data().toString()); });
    connect(&Manager::singleton(), &Manager::languageChanged, this, &Menu::translate);
    translate();
}

void Menu::translate()
{
    setTitle(tr("&Language"));
    setAccessibleName(tr("Language"));
    setToolTip(tr("The language of the workbench"));
    const QString current = Manager::singleton().currentLanguageString();
    for (QAction* action : _group->actions())
        action->setChecked(action->data().toString() == current);
}

} // namespace lum::qt::translation
