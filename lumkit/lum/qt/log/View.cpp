#include "lum/qt/log/View.h"

#include "lum/qt/translation/Manager.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>

namespace lum::qt::log {

View::View(QWidget* parent)
    : QPlainTextEdit(parent),
      _copy(new QAction(QIcon(QStringLiteral(":/silk/page_copy.png")), QString(), this)),
      _selectAll(new QAction(this)),
      _clear(new QAction(QIcon(QStringLiteral(":/silk/delete.png")), QString(), this))
{
    setObjectName(QStringLiteral("logView"));
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setMaximumBlockCount(MaximumLineCount);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    _copy->setShortcut(QKeySequence::Copy);
    _copy->setShortcutContext(Qt::WidgetShortcut);
    _copy->setEnabled(false);
    _selectAll->setShortcut(QKeySequence::SelectAll);
    _selectAll->setShortcutContext(Qt::WidgetShortcut);
    addActions({_copy, _selectAll, _clear});
    connect(_copy, &QAction::triggered, this, &QPlainTextEdit::copy);
    connect(_selectAll, &QAction::triggered, this, &QPlainTextEdit::selectAll);
    connect(_clear, &QAction::triggered, this, &QPlainTextEdit::clear);
    connect(this, &QPlainTextEdit::copyAvailable, _copy, &QAction::setEnabled);

    connect(&translation::Manager::singleton(), &translation::Manager::languageChanged, this,
            &View::translate);
    translate();
}

int View::lineCount() const
{
    // An empty document still has one (empty) block.
    return document()->isEmpty() ? 0 : blockCount();
}

void View::appendLine(const QString& line)
{
    // Follow the newest line only when the user has not scrolled back to read older ones.
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    appendPlainText(line);
    if (atEnd)
        bar->setValue(bar->maximum());
}

void View::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(_copy);
    menu.addAction(_selectAll);
    menu.addSeparator();
    menu.addAction(_clear);
    menu.exec(event->globalPos());
}

void View::translate()
{
    setAccessibleName(tr("Messages"));
    _copy->setText(tr("&Copy"));
    _selectAll->setText(tr("Select &All"));
    _clear->setText(tr("C&lear"));
    _clear->setToolTip(tr("Remove all messages from the window"));
}

} // namespace lum::qt::log
