#include <kirogen/sdf/ActorTypeRegistry.h>
#include <lumlink/sdf/BlockPalette.h>
#include <lumlink/sdf/PaletteTree.h>
#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <map>

namespace lumlink::sdf {

namespace {

constexpr int SearchRole = Qt::UserRole + 2;

} // namespace

BlockPalette::BlockPalette(QAction* action, QWidget* parent)
    : QDockWidget(parent), _filter(new QLineEdit), _tree(new PaletteTree)
{
    setObjectName(QStringLiteral("blockPalette"));
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    _filter->setClearButtonEnabled(true);
    layout->addWidget(_filter);
    layout->addWidget(_tree);
    setWidget(content);
    retranslate();
    connect(_filter, &QLineEdit::textChanged, this, &BlockPalette::applyFilter);
    connect(_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const QString typeId = item->data(0, PaletteTree::TypeIdRole).toString();
        if (!typeId.isEmpty())
            emit placeRequested(typeId);
    });
    if (action) {
        // Raised as well: the palette may sit behind another dock in the same tab group.
        connect(action, &QAction::triggered, this, [this] {
            show();
            raise();
        });
    }
    reload();
}

void BlockPalette::retranslate()
{
    setWindowTitle(tr("Blocks"));
    _filter->setPlaceholderText(tr("Filter"));
    _filter->setAccessibleName(tr("Filter blocks"));
    _tree->setAccessibleName(tr("Block types"));
}

void BlockPalette::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDockWidget::changeEvent(event);
}

void BlockPalette::reload()
{
    _tree->clear();
    std::map<std::string, QTreeWidgetItem*> categories;
    for (const auto& type : kirogen::sdf::ActorTypeRegistry::singleton().all()) {
        QTreeWidgetItem*& category = categories[type->category()];
        if (!category) {
            category = new QTreeWidgetItem(_tree, {QString::fromStdString(type->category())});
            category->setFlags(Qt::ItemIsEnabled);
        }
        auto* entry = new QTreeWidgetItem(category, {QString::fromStdString(type->id())});
        entry->setData(0, PaletteTree::TypeIdRole, QString::fromStdString(type->id()));
        entry->setData(
            0, SearchRole,
            QString::fromStdString(type->id() + '\n' + type->category() + '\n' + type->helpText()));
        entry->setToolTip(0, QString::fromStdString(type->helpText()));
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    }
    _tree->sortItems(0, Qt::AscendingOrder);
    _tree->expandAll();
    applyFilter();
}

void BlockPalette::setFilterText(const QString& text)
{
    _filter->setText(text);
}

void BlockPalette::applyFilter()
{
    const QString text = _filter->text().trimmed();
    for (int i = 0; i < _tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = _tree->topLevelItem(i);
        bool anyShown = false;
        for (int j = 0; j < category->childCount(); ++j) {
            QTreeWidgetItem* entry = category->child(j);
            const bool shown = entry->data(0, SearchRole).toString().contains(text, Qt::CaseInsensitive);
            entry->setHidden(!shown);
            anyShown = anyShown || shown;
        }
        category->setHidden(!anyShown);
    }
}

QStringList BlockPalette::visibleTypeIds() const
{
    QStringList ids;
    for (QTreeWidgetItemIterator it(_tree, QTreeWidgetItemIterator::NotHidden); *it; ++it) {
        const QString id = (*it)->data(0, PaletteTree::TypeIdRole).toString();
        if (!id.isEmpty())
            ids.append(id);
    }
    return ids;
}

} // namespace lumlink::sdf
