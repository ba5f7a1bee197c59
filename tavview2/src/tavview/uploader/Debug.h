#pragma once

#include <QMap>
#include <QString>
#include <QWidget>

class QTableWidget;
class QTableWidgetItem;

namespace tavview::uploader {

// The robot's global variables during a remote run: one row per name, in the order the names
// first came, each value updated in place.
class Debug : public QWidget
{
    Q_OBJECT

public:
    explicit Debug(QWidget* parent = nullptr);

    // Empties the table.
    void init();
    void setValue(const QString& name, const QString& value);

public slots:
    void translate();

private:
    QTableWidget* _table;
    QMap<QString, QTableWidgetItem*> _rows; // name -> its value item
};

} // namespace tavview::uploader
