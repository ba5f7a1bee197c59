#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/TypeRegistry.h>
#include <lum/core/Serializer.h>
#include <lum/qt/translation/Manager.h>
#include <lumlink/project/GlobalVariablesWindow.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/Simulation.h>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lumlink::project {

namespace {

QString text(const lum::core::variant::Variant& value)
{
    return QString::fromStdString(lum::core::variant::Serializer::singleton().save(value));
}

} // namespace

GlobalVariablesWindow::GlobalVariablesWindow(Project* project, QWidget* parent)
    : QWidget(parent, Qt::Tool), _project(project), _table(new QTableWidget(0, 4, this)),
      _typeBox(new QComboBox(this)), _addButton(new QPushButton(this)), _removeButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("GlobalVariablesWindow"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(_typeBox);
    buttons->addWidget(_addButton);
    buttons->addWidget(_removeButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(_table);
    _table->horizontalHeader()->setStretchLastSection(true);
    _table->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::ResizeToContents);
    _table->verticalHeader()->hide();
    _table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (const kirogen::model::DataType& type : kirogen::model::TypeRegistry::singleton().all())
        _typeBox->addItem(QString::fromStdString(type.name));
    _addButton->setIcon(QIcon(QStringLiteral(":/silk/accept.png")));
    _removeButton->setIcon(QIcon(QStringLiteral(":/silk/delete.png")));

    connect(_addButton, &QPushButton::clicked, this, &GlobalVariablesWindow::on_addButton_clicked);
    connect(_removeButton, &QPushButton::clicked, this, &GlobalVariablesWindow::on_removeButton_clicked);
    connect(_table, &QTableWidget::itemChanged, this, &GlobalVariablesWindow::on_table_itemChanged);
    connect(project, &Project::globalVariableAdded, this, &GlobalVariablesWindow::refill);
    connect(project, &Project::globalVariableRemoved, this, &GlobalVariablesWindow::refill);
    connect(project, &Project::globalVariableChanged, this, &GlobalVariablesWindow::refill);
    connect(project->simulation(), &Simulation::globalVariablesUpdated, this,
            &GlobalVariablesWindow::on_simulation_globalVariablesUpdated);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &GlobalVariablesWindow::translate);
    translate();
    refill();
}

void GlobalVariablesWindow::translate()
{
    setWindowTitle(tr("Global Variables"));
    _table->setHorizontalHeaderLabels({tr("Name"), tr("Type"), tr("Initial value"), tr("Current value")});
    _table->setAccessibleName(tr("Global variables"));
    _typeBox->setAccessibleName(tr("Type of a new variable"));
    _addButton->setText(tr("Add"));
    _addButton->setAccessibleName(tr("Add a variable"));
    _removeButton->setText(tr("Delete"));
    _removeButton->setAccessibleName(tr("Delete the selected variables"));
}

void GlobalVariablesWindow::refill()
{
    const QSignalBlocker blocker(_table);
    const auto& variables = _project->kirogenProject()->globalVariables();
    _table->setRowCount(static_cast<int>(variables.size()));
    int row = 0;
    for (const auto& entry : variables) {
        const auto& variable = entry.second;
        auto* name = new QTableWidgetItem(QString::fromStdString(variable->getVarName()));
        auto* type = new QTableWidgetItem(QString::fromStdString(variable->typeName()));
        type->setFlags(type->flags() & ~Qt::ItemIsEditable);
        auto* initial = new QTableWidgetItem(text(variable->initialValue()));
        const bool running = _project->simulation()->state() != Simulation::Stopped;
        auto* current = new QTableWidgetItem(running ? text(variable->value()) : QString());
        current->setFlags(current->flags() & ~Qt::ItemIsEditable);
        _table->setItem(row, NameColumn, name);
        _table->setItem(row, TypeColumn, type);
        _table->setItem(row, InitialValueColumn, initial);
        _table->setItem(row, CurrentValueColumn, current);
        ++row;
    }
}

int GlobalVariablesWindow::rowOf(const QString& name) const
{
    const auto& variables = _project->kirogenProject()->globalVariables();
    const auto found = variables.find(name.toStdString());
    return found == variables.end() ? -1 : static_cast<int>(found - variables.begin());
}

void GlobalVariablesWindow::on_addButton_clicked()
{
    QString name = QStringLiteral("variable");
    for (int n = 2; _project->kirogenProject()->globalVariable(name.toStdString()); ++n)
        name = QStringLiteral("variable_%1").arg(n);
    const auto type = kirogen::model::TypeRegistry::singleton().get(_typeBox->currentText().toStdString());
    if (type)
        _project->addGlobalVariable(name, _typeBox->currentText(), text(type->defaultValue));
}

void GlobalVariablesWindow::on_removeButton_clicked()
{
    QStringList names;
    for (const QModelIndex& index : _table->selectionModel()->selectedRows(NameColumn))
        names.append(index.data().toString());
    for (const QString& name : names)
        _project->removeGlobalVariable(name);
}

void GlobalVariablesWindow::on_table_itemChanged(QTableWidgetItem* item)
{
    const auto& variables = _project->kirogenProject()->globalVariables();
    if (item->row() >= static_cast<int>(variables.size()))
        return;
    const QString name = QString::fromStdString((variables.begin() + item->row())->second->getVarName());
    const auto variable = _project->kirogenProject()->globalVariable(name.toStdString());
    const QString before = item->column() == NameColumn ? name : text(variable->initialValue());
    if (item->text() == before)
        return;
    bool applied = false;
    if (item->column() == NameColumn)
        applied = _project->renameGlobalVariable(name, item->text());
    else if (item->column() == InitialValueColumn)
        applied = _project->setGlobalVariableValue(name, item->text());
    // A refused change shows the model's text again.
    if (!applied)
        refill();
}

void GlobalVariablesWindow::on_simulation_globalVariablesUpdated(const QStringList& names)
{
    const QSignalBlocker blocker(_table);
    for (const QString& name : names) {
        const int row = rowOf(name);
        if (row < 0)
            continue;
        const auto variable = _project->kirogenProject()->globalVariable(name.toStdString());
        _table->item(row, CurrentValueColumn)->setText(text(variable->value()));
    }
}

} // namespace lumlink::project
