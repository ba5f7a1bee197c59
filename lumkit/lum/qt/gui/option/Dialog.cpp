#include "lum/qt/gui/option/Dialog.h"

#include "lum/qt/gui/option/EditorPage.h"
#include "lum/qt/gui/option/GeneralPage.h"
#include "lum/qt/gui/option/Page.h"
#include "lum/qt/translation/Manager.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lum::qt::gui::option {

Dialog::Dialog(QWidget* parent, QAction* action)
    : QDialog(parent), _list(new QTreeWidget(this)), _stack(new QStackedWidget(this)),
      _buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, this)), _action(action)
{
    setObjectName(QStringLiteral("optionDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    _list->setObjectName(QStringLiteral("pageList"));
    _list->setHeaderHidden(true);
    _list->setRootIsDecorated(false);
    _list->setColumnCount(1);
    _list->setMaximumWidth(220);
    _stack->setObjectName(QStringLiteral("pages"));

    auto* body = new QHBoxLayout;
    body->addWidget(_list, 1);
    body->addWidget(_stack, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(_buttons);

    // Pages store their changes at once, so OK and Close both just close.
    connect(_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(_list, &QTreeWidget::currentItemChanged, this, &Dialog::showChosenPage);
    if (_action)
        _action->setEnabled(false);

    addPage(new GeneralPage, true);
    addPage(new EditorPage, true);

    connect(&translation::Manager::singleton(), &translation::Manager::languageChanged, this,
            &Dialog::translate);
    translate();
    resize(620, 400);
}

Dialog::~Dialog()
{
    if (_action)
        _action->setEnabled(true);
}

void Dialog::addPage(Page* page, bool topLevel)
{
    auto* item = new QTreeWidgetItem(QStringList(page->title()));
    if (topLevel || !_lastTopLevel) {
        _list->addTopLevelItem(item);
        _lastTopLevel = item;
    } else {
        _lastTopLevel->addChild(item);
        _lastTopLevel->setExpanded(true);
        _list->setRootIsDecorated(true);
    }
    _pageOfItem.insert(item, page);
    _stack->addWidget(page);
    connect(page, &Page::titleChanged, _list, [item](const QString& title) { item->setText(0, title); });
    if (!_list->currentItem())
        _list->setCurrentItem(item);
}

QList<Page*> Dialog::pages() const
{
    QList<Page*> result;
    for (int i = 0; i < _stack->count(); ++i)
        result.append(static_cast<Page*>(_stack->widget(i)));
    return result;
}

Page* Dialog::currentPage() const
{
    return static_cast<Page*>(_stack->currentWidget());
}

void Dialog::setCurrentPage(Page* page)
{
    _list->setCurrentItem(_pageOfItem.key(page));
}

void Dialog::showChosenPage()
{
    if (Page* page = _pageOfItem.value(_list->currentItem()))
        _stack->setCurrentWidget(page);
}

void Dialog::translate()
{
    setWindowTitle(tr("Options"));
    setAccessibleName(tr("Options"));
    _list->setAccessibleName(tr("Option pages"));
    _buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    _buttons->button(QDialogButtonBox::Close)->setText(tr("&Close"));
}

} // namespace lum::qt::gui::option
