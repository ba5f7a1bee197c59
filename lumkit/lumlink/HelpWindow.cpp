#include "lumlink/HelpWindow.h"

#include "lum/qt/translation/Manager.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace lumlink {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), _toolBar(new QToolBar(this)), _browser(new QTextBrowser(this)),
      _contents(new QAction(QIcon(QStringLiteral(":/silk/house.png")), QString(), this)),
      _back(new QAction(QIcon(QStringLiteral(":/silk/arrow_left.png")), QString(), this)),
      _forward(new QAction(QIcon(QStringLiteral(":/silk/arrow_right.png")), QString(), this)),
      _search(new QLineEdit(this)), _findNext(new QAction(this)), _findPrevious(new QAction(this)),
      _searchResult(new QLabel(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    _browser->setObjectName(QStringLiteral("helpBrowser"));
    _search->setObjectName(QStringLiteral("helpSearch"));
    _browser->setOpenExternalLinks(true);
    _search->setClearButtonEnabled(true);
    _search->setMaximumWidth(240);

    _back->setShortcut(QKeySequence::Back);
    _back->setEnabled(false);
    _forward->setShortcut(QKeySequence::Forward);
    _forward->setEnabled(false);
    _findNext->setShortcut(QKeySequence::FindNext);
    _findPrevious->setShortcut(QKeySequence::FindPrevious);
    auto* focusSearch = new QAction(this);
    focusSearch->setShortcut(QKeySequence::Find);
    addActions({_findNext, _findPrevious, focusSearch});

    _toolBar->addAction(_contents);
    _toolBar->addAction(_back);
    _toolBar->addAction(_forward);
    _toolBar->addSeparator();
    _toolBar->addWidget(_search);
    _toolBar->addWidget(_searchResult);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(_toolBar);
    layout->addWidget(_browser);

    connect(_contents, &QAction::triggered, this, &HelpWindow::contentsRequested);
    connect(_back, &QAction::triggered, _browser, &QTextBrowser::backward);
    connect(_forward, &QAction::triggered, _browser, &QTextBrowser::forward);
    connect(_browser, &QTextBrowser::backwardAvailable, _back, &QAction::setEnabled);
    connect(_browser, &QTextBrowser::forwardAvailable, _forward, &QAction::setEnabled);
    connect(_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(tr("Help: %1").arg(_browser->documentTitle())); });
    connect(_search, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(_search, &QLineEdit::textChanged, _searchResult, &QLabel::clear);
    connect(_findNext, &QAction::triggered, this, &HelpWindow::findNext);
    connect(_findPrevious, &QAction::triggered, this, &HelpWindow::findPrevious);
    connect(focusSearch, &QAction::triggered, this, [this] {
        _search->setFocus();
        _search->selectAll();
    });
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &HelpWindow::translate);
    translate();
    resize(720, 560);
}

void HelpWindow::showPage(const QUrl& page)
{
    if (page.isEmpty()) {
        _browser->setHtml(tr("<h1>No help installed</h1><p>The help pages were not found.</p>"));
        setWindowTitle(tr("Help"));
        return;
    }
    if (_browser->source() == page)
        _browser->reload();
    else
        _browser->setSource(page);
}

QUrl HelpWindow::currentPage() const
{
    return _browser->source();
}

bool HelpWindow::find(const QString& text, bool backward)
{
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (_browser->find(text, flags))
        return true;
    // Wrap around: search once more from the other end of the page.
    const QTextCursor kept = _browser->textCursor();
    QTextCursor from(_browser->document());
    from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    _browser->setTextCursor(from);
    if (_browser->find(text, flags))
        return true;
    _browser->setTextCursor(kept);
    return false;
}

void HelpWindow::findNext()
{
    _searchResult->setText(find(_search->text()) || _search->text().isEmpty() ? QString() : tr("Not found"));
}

void HelpWindow::findPrevious()
{
    _searchResult->setText(find(_search->text(), true) || _search->text().isEmpty() ? QString()
                                                                                    : tr("Not found"));
}

void HelpWindow::translate()
{
    setAccessibleName(tr("Help window"));
    _browser->setAccessibleName(tr("Help page"));
    _toolBar->setAccessibleName(tr("Help navigation"));
    _contents->setText(tr("Contents"));
    _contents->setToolTip(tr("Show the contents of the help"));
    _back->setText(tr("Back"));
    _back->setToolTip(tr("Go back to the previous page"));
    _forward->setText(tr("Forward"));
    _forward->setToolTip(tr("Go forward to the next page"));
    _search->setPlaceholderText(tr("Search in page"));
    _search->setAccessibleName(tr("Search in page"));
    _findNext->setText(tr("Find Next"));
    _findPrevious->setText(tr("Find Previous"));
    if (_browser->source().isEmpty())
        setWindowTitle(tr("Help"));
    else
        setWindowTitle(tr("Help: %1").arg(_browser->documentTitle()));
}

} // namespace lumlink
