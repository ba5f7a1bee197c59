#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace tavview {

class TavikTaskTabWidget;

namespace uploader {
class View;
}

// The robot task panel: the robot's address above the tabs "Project" (back to the program view)
// and "Upload" (the upload view). An empty address line is filled from the active project's first
// robot device whenever the panel is shown.
class TavikTask : public QWidget
{
    Q_OBJECT

public:
    explicit TavikTask(QWidget* parent = nullptr);

    void setComponentEnabled(bool enabled);

    uploader::View* uploadView() const { return _uploadView; }

signals:
    // The user chose the program view.
    void back();
    void invalidIPAddress(const QString& address);
    void ipAddressChanged(const QString& address);

public slots:
    void setIpAddressLineEditEnabled(bool enable);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void translate();
    void on_uploadCurProj_triggered(bool checked);
    void on_ipAddressLineEdit_editingFinished();
    void on_tabWidget_currentChanged(int index);

private:
    QLabel* _ipAddressLabel;
    QLineEdit* _ipAddressLineEdit;
    TavikTaskTabWidget* _tabWidget;
    uploader::View* _uploadView;
    // The line's text was reported as invalid and not edited since.
    bool _invalidReported = false;
};

} // namespace tavview
