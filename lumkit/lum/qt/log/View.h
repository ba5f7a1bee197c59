#pragma once

#include <QPlainTextEdit>

class QAction;

namespace lum::qt::log {

// The read-only text of the message window. Only the newest MaximumLineCount lines are kept, so a
// chatty run cannot grow memory without bound.
class View : public QPlainTextEdit
{
    Q_OBJECT

public:
    static constexpr int MaximumLineCount = 10000;

    explicit View(QWidget* parent = nullptr);

    int lineCount() const;

    QAction* copyAction() const { return _copy; }
    QAction* selectAllAction() const { return _selectAll; }
    QAction* clearAction() const { return _clear; }

public slots:
    void appendLine(const QString& line);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private slots:
    void translate();

private:
    QAction* _copy;
    QAction* _selectAll;
    QAction* _clear;
};

} // namespace lum::qt::log
