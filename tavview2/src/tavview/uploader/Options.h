#pragma once

#include <lum/qt/gui/option/Page.h>
#include <QString>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace tavview::uploader {

// "Upload & Execute" in the options dialog: how often the interpreter on the robot prints its
// global variables, and whether an out-of-date interpreter may still run. Every change is stored
// at once; the upload view reads the keys when it starts a run.
class Options : public lum::qt::gui::option::Page
{
    Q_OBJECT

public:
    static const QString debugIntervalKey;
    static const QString ignoreInterpreterOutOfDateKey;

    static constexpr int defaultDebugInterval = 500;
    static constexpr int maximumDebugInterval = 60000;

    // The stored interval in milliseconds (0: no variable output), kept within the page's range.
    static int debugInterval();
    static bool ignoreInterpreterOutOfDate();

    explicit Options(QWidget* parent = nullptr);

private slots:
    void on_debugInterval_valueChanged(int value);
    void on_ignoreInterpreterOutOfDate_stateChanged(int state);
    void translate();

private:
    QLabel* _debugIntervalLabel;
    QSpinBox* _debugInterval;
    QLabel* _ignoreInterpreterOutOfDateLabel;
    QCheckBox* _ignoreInterpreterOutOfDate;
};

} // namespace tavview::uploader
