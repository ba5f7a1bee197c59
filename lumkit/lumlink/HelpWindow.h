#pragma once

#include <QUrl>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolBar;

namespace lumlink {

// Shows the help pages: contents, back and forward through the pages visited, and a search in the
// page shown. Links to other pages open here, links to the web in the desktop's browser.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // An empty url says that no help is installed.
    void showPage(const QUrl& page);
    QUrl currentPage() const;

    QTextBrowser* browser() const { return _browser; }

    // Selects the next occurrence of the search text after the cursor, from the top again at the
    // end; backward searches upwards. False when the page does not contain it.
    bool find(const QString& text, bool backward = false);

signals:
    void contentsRequested();

private slots:
    void translate();
    void findNext();
    void findPrevious();

private:
    QToolBar* _toolBar;
    QTextBrowser* _browser;
    QAction* _contents;
    QAction* _back;
    QAction* _forward;
    QLineEdit* _search;
    QAction* _findNext;
    QAction* _findPrevious;
    QLabel* _searchResult;
};

} // namespace lumlink
