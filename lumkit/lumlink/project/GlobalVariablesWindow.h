#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace lumlink::project {

class Project;

// The project's global variables: name, type, initial value and, while the simulation runs,
// the current value. Names and initial values are edited in place; every change goes through
// the project's undo stack, and a change the project refuses shows the old text again.
class GlobalVariablesWindow : public QWidget
{
    Q_OBJECT

public:
    enum Column
    {
        NameColumn,
        TypeColumn,
        InitialValueColumn,
        CurrentValueColumn
    };

    explicit GlobalVariablesWindow(Project* project, QWidget* parent = nullptr);

    QTableWidget* table() const { return _table; }

public slots:
    void translate();

private slots:
    void on_addButton_clicked();
    void on_removeButton_clicked();
    void on_table_itemChanged(QTableWidgetItem* item);
    void on_simulation_globalVariablesUpdated(const QStringList& names);

private:
    void refill();
    int rowOf(const QString& name) const;

    Project* _project;
    QTableWidget* _table;
    QComboBox* _typeBox;
    QPushButton* _addButton;
    QPushButton* _removeButton;
};

} // namespace lumlink::project
