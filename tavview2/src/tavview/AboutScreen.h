#pragma once

#include <QDialog>
#include <QPixmap>

class QPushButton;

namespace tavview {

// The start picture as a fixed-size dialog with one button; the caller sets the title.
class AboutScreen : public QDialog
{
    Q_OBJECT

public:
    explicit AboutScreen(QWidget* parent);

public slots:
    void translate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap _background;
    QPushButton* _okButton;
};

} // namespace tavview
