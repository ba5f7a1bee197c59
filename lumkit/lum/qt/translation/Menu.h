#pragma once

#include <QMenu>

class QActionGroup;

namespace lum::qt::translation {

// "Language": the languages as an exclusive, checkable group; choosing one switches at once.
class Menu : public QMenu
{
    Q_OBJECT

public:
    explicit Menu(QWidget* parent = nullptr);

private slots:
    void translate();

private:
    QActionGroup* _group;
};

} // namespace lum::qt::translation
