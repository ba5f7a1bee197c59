#include <lum/qt/translation/Manager.h>
#include <lumlink/project/import/SdfDialog.h>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumlink::project::import {

namespace {

// Items that stand for a program to import carry its name; the diagrams under a chart do not.
constexpr int ProgramRole = Qt::UserRole;

} // namespace

SdfDialog::SdfDialog(const QMap<QString, QStringList>& programs, const QMap<QString, QString>& devices,
                     const QMap<QString, QString>& mapping, QWidget* parent)
    : QDialog(parent), _devices(devices), _mapping(mapping), _intro(new QLabel(this)),
      _tree(new QTreeWidget(this)), _devicesLabel(new QLabel(this)),
      _buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    _tree->setHeaderHidden(true);
    const auto checkable = [](QTreeWidgetItem* item, const QString& name) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        item->setData(0, ProgramRole, name);
    };
    for (auto it = programs.begin(); it != programs.end(); ++it) {
        if (it.key().isEmpty())
            continue;
        auto* chart = new QTreeWidgetItem(_tree, {it.key()});
        checkable(chart, it.key());
        // The diagrams come with their chart: shown, not chosen.
        for (const QString& diagram : it.value()) {
            auto* run = new QTreeWidgetItem(chart, {diagram});
            run->setFlags(run->flags() & ~Qt::ItemIsUserCheckable);
        }
        chart->setExpanded(true);
    }
    if (programs.contains(QString())) {
        auto* free = new QTreeWidgetItem(_tree);
        free->setFlags(free->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable));
        for (const QString& diagram : programs.value(QString()))
            checkable(new QTreeWidgetItem(free, {diagram}), diagram);
        free->setExpanded(true);
    }
    _devicesLabel->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_intro);
    layout->addWidget(_tree);
    layout->addWidget(_devicesLabel);
    layout->addWidget(_buttons);
    connect(_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &SdfDialog::translate);
    translate();
}

void SdfDialog::translate()
{
    setWindowTitle(tr("Import: Programs"));
    _intro->setText(tr("Check the programs to import. A sequence chart brings the diagrams it runs."));
    _tree->setAccessibleName(tr("Programs to import"));
    for (int i = 0; i < _tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = _tree->topLevelItem(i);
        if (item->data(0, ProgramRole).toString().isEmpty())
            item->setText(0, tr("Diagrams run by no sequence chart"));
    }
    QStringList lines;
    for (auto it = _devices.begin(); it != _devices.end(); ++it) {
        const QString mapped = _mapping.value(it.key());
        lines.append(mapped.isEmpty() ? tr("%1: copied as a new device").arg(it.key())
                                      : tr("%1: uses %2").arg(it.key(), mapped));
    }
    _devicesLabel->setText(lines.isEmpty() ? QString()
                                           : tr("Devices: %1").arg(lines.join(QStringLiteral("; "))));
    _devicesLabel->setVisible(!lines.isEmpty());
}

QStringList SdfDialog::getSelection() const
{
    QStringList selection;
    for (QTreeWidgetItemIterator it(_tree); *it; ++it) {
        const QString name = (*it)->data(0, ProgramRole).toString();
        if (!name.isEmpty() && (*it)->checkState(0) == Qt::Checked)
            selection.append(name);
    }
    return selection;
}

} // namespace lumlink::project::import
