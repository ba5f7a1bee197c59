#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>

class QAction;
class QDialogButtonBox;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace lum::qt::gui::option {

class Page;

// The options: a list of page titles on the left, the chosen page on the right, OK and Close
// below. Non-modal; it deletes itself when closed. The action that opens it is disabled while it
// is open, so there is never more than one. Starts with the kit's pages "General" and "Editor".
class Dialog : public QDialog
{
    Q_OBJECT

public:
    Dialog(QWidget* parent, QAction* action);
    ~Dialog() override;

    // Takes ownership. A top-level page is listed at the outer level; any other page is listed
    // below the last top-level page added.
    void addPage(Page* page, bool topLevel);

    QList<Page*> pages() const;
    Page* currentPage() const;
    void setCurrentPage(Page* page);

private slots:
    void translate();
    void showChosenPage();

private:
    QTreeWidget* _list;
    QStackedWidget* _stack;
    QDialogButtonBox* _buttons;
    QTreeWidgetItem* _lastTopLevel = nullptr;
    QHash<QTreeWidgetItem*, Page*> _pageOfItem;
    QPointer<QAction> _action;
};

} // namespace lum::qt::gui::option
