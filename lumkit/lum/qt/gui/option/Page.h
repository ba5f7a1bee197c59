#pragma once

#include <QString>
#include <QWidget>

namespace lum::qt::gui::option {

// One page of the options dialog. A page applies and stores every change at once; the dialog
// lists it under its title, which the page sets (again on every language change).
class Page : public QWidget
{
    Q_OBJECT

public:
    explicit Page(QWidget* parent = nullptr);

    QString title() const { return _title; }
    void setTitle(const QString& title);

signals:
    void titleChanged(const QString& title);

private:
    QString _title;
};

} // namespace lum::qt::gui::option
