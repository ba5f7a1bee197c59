#include <lum/qt/translation/Manager.h>
#include <tavview/uploader/Debug.h>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavview::uploader {

namespace {

QTableWidgetItem* readOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

Debug::Debug(QWidget* parent) : QWidget(parent), _table(new QTableWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(_table);
    _table->setObjectName(QStringLiteral("variableTable"));
    _table->verticalHeader()->hide();
    _table->setColumnCount(2);
    _table->setHorizontalHeaderItem(0, new QTableWidgetItem(QString()));
    _table->setHorizontalHeaderItem(1, new QTableWidgetItem(QString()));
    _table->horizontalHeader()->setStretchLastSection(true);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Debug::translate);
    translate();
}

void Debug::translate()
{
    _table->horizontalHeaderItem(0)->setText(tr("Name"));
    _table->horizontalHeaderItem(1)->setText(tr("Value"));
    _table->setAccessibleName(tr("Robot variables"));
}

void Debug::init()
{
    _rows.clear();
    _table->setRowCount(0);
}

void Debug::setValue(const QString& name, const QString& value)
{
    if (QTableWidgetItem* item = _rows.value(name)) {
        item->setText(value);
        return;
    }
    const int row = _table->rowCount();
    _table->insertRow(row);
    _table->setItem(row, 0, readOnlyItem(name));
    QTableWidgetItem* valueItem = readOnlyItem(value);
    _table->setItem(row, 1, valueItem);
    _rows.insert(name, valueItem);
}

} // namespace tavview::uploader
