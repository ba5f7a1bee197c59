#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <deque>
#include <functional>
#include <utility>

// Answers the modal dialogs of one action in turn. Armed before the action: the dialogs' own
// event loops run its timer. Each answer gets the visible modal widget and returns whether it
// answered it (false: not yet, asked again on the next tick); unanswered ones stay pending.
class ModalAnswers : public QObject
{
public:
    using Answer = std::function<bool(QWidget*)>;

    explicit ModalAnswers(std::deque<Answer> answers) : _answers(std::move(answers))
    {
        connect(&_timer, &QTimer::timeout, this, &ModalAnswers::answerNext);
        _timer.start(20);
    }

    bool allGiven() const { return _answers.empty(); }

private:
    void answerNext()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (_answers.empty() || !modal || !modal->isVisible() || modal == _answered)
            return;
        if (_answers.front()(modal)) {
            _answers.pop_front();
            _answered = modal;
        }
    }

    std::deque<Answer> _answers;
    // A dialog just answered may still be the modal widget until its loop returns.
    QPointer<QWidget> _answered;
    QTimer _timer;
};

// The answer for a dialog of the given class; any other dialog in its place fails the test and
// is rejected, so that the action goes on and the test ends.
template <class Dialog>
ModalAnswers::Answer answer(std::function<void(Dialog*)> act)
{
    return [act](QWidget* modal) {
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            act(dialog);
            return true;
        }
        ADD_FAILURE() << "expected a " << Dialog::staticMetaObject.className() << ", got a "
                      << modal->metaObject()->className();
        if (auto* other = qobject_cast<QDialog*>(modal))
            other->reject();
        return true;
    };
}
