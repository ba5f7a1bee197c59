#include <lum/qt/translation/Manager.h>
#include <tavview/uploader/FtpLister.h>
#include <tavview/uploader/FtpView.h>
#include <QHeaderView>
#include <QIcon>
#include <QLocale>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

// Resources of a static library are registered by hand, outside any namespace.
static void initUploaderResources()
{
    Q_INIT_RESOURCE(uploader);
}

namespace tavview::uploader {

namespace {

enum Column
{
    NameColumn,
    SizeColumn,
    ModifiedColumn,
    ColumnCount
};

enum Kind
{
    ParentKind,
    FolderKind,
    ProgramKind
};

constexpr int pathRole = Qt::UserRole;
constexpr int kindRole = Qt::UserRole + 1;
constexpr int sizeRole = Qt::UserRole + 2;
constexpr int modifiedRole = Qt::UserRole + 3;

// Sizes and dates as the user's language writes them, which need not be the system's: the
// system's own conventions where its language is the user's.
QLocale userLocale()
{
    const QLocale language(lum::qt::translation::Manager::singleton().currentLanguageString());
    const QLocale system = QLocale::system();
    return system.language() == language.language() ? system : language;
}

void showDetails(QTreeWidgetItem* item, const QLocale& locale)
{
    const QVariant size = item->data(NameColumn, sizeRole);
    item->setText(SizeColumn, size.isValid() ? locale.formattedDataSize(size.toLongLong()) : QString());
    const QDateTime modified = item->data(NameColumn, modifiedRole).toDateTime();
    item->setText(ModifiedColumn, modified.isValid()
                                      ? locale.toString(modified.toLocalTime(), QLocale::ShortFormat)
                                      : QString());
}

bool isProgram(const QString& name)
{
    return name.endsWith(QLatin1String(".tkp2"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".tkpx"), Qt::CaseInsensitive);
}

QString asFolderPath(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// "/home/tavik/a/b/" -> "/home/tavik/a/"
QString parentFolder(const QString& folder)
{
    const int slash = folder.lastIndexOf(QLatin1Char('/'), folder.size() - 2);
    return folder.left(slash + 1);
}

QIcon iconFor(int kind, const QString& name)
{
    switch (kind) {
    case ParentKind:
        return QIcon(QStringLiteral(":/uploader/arrow_up.png"));
    case FolderKind:
        return QIcon(QStringLiteral(":/uploader/folder.png"));
    default:
        return QIcon(name.endsWith(QLatin1String(".tkpx"), Qt::CaseInsensitive)
                         ? QStringLiteral(":/uploader/page_white_compressed.png")
                         : QStringLiteral(":/uploader/page_white_code.png"));
    }
}

} // namespace

const QString FtpView::robotHome = QStringLiteral("/home/tavik/");

FtpView::FtpView(QWidget* parent)
    : QWidget(parent), _tree(new QTreeWidget(this)), _lister(new FtpLister(this))
{
    initUploaderResources();
    setObjectName(QStringLiteral("ftpView"));

    _tree->setObjectName(QStringLiteral("ftpTree"));
    _tree->setColumnCount(ColumnCount);
    _tree->setRootIsDecorated(false);
    _tree->setUniformRowHeights(true);
    _tree->setSelectionMode(QAbstractItemView::SingleSelection);
    _tree->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    _tree->header()->setSectionResizeMode(SizeColumn, QHeaderView::ResizeToContents);
    _tree->header()->setSectionResizeMode(ModifiedColumn, QHeaderView::ResizeToContents);
    _tree->header()->setStretchLastSection(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(_tree);

    connect(_lister, &FtpLister::listed, this, &FtpView::onListed);
    connect(_lister, &FtpLister::failed, this, &FtpView::onFailed);
    connect(_tree, &QTreeWidget::itemActivated, this, &FtpView::onItemActivated);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &FtpView::translate);
    translate();
}

void FtpView::translate()
{
    _tree->setHeaderLabels({tr("Name"), tr("Size"), tr("Modified")});
    _tree->setAccessibleName(tr("Robot folder"));
    _tree->setAccessibleDescription(tr("Activate a folder to open it, a project to run it on the robot"));
    if (auto* parentItem = _tree->topLevelItemCount() > 0 ? _tree->topLevelItem(0) : nullptr) {
        if (parentItem->data(NameColumn, kindRole).toInt() == ParentKind)
            parentItem->setToolTip(NameColumn, tr("Up one folder"));
    }
    const QLocale locale = userLocale();
    for (int i = 0; i < _tree->topLevelItemCount(); ++i)
        showDetails(_tree->topLevelItem(i), locale);
}

void FtpView::list(const QUrl& folder)
{
    _folder = folder;
    _folder.setPath(asFolderPath(folder.path(QUrl::FullyDecoded)), QUrl::DecodedMode);
    _lister->list(_folder);
}

void FtpView::setTimeout(int ms)
{
    _lister->setTimeout(ms);
}

void FtpView::onListed(const QUrl& folder, const FtpEntries& entries)
{
    _tree->clear();
    const QString path = folder.path(QUrl::FullyDecoded);
    if (path != robotHome && path.startsWith(robotHome))
        addItem(QStringLiteral(".."), parentFolder(path), ParentKind, nullptr);

    FtpEntries shown;
    std::copy_if(entries.cbegin(), entries.cend(), std::back_inserter(shown), [](const FtpEntry& entry) {
        return !entry.name.startsWith(QLatin1Char('.')) && !entry.name.contains(QLatin1Char('/')) &&
               (entry.isFolder || isProgram(entry.name));
    });
    std::sort(shown.begin(), shown.end(), [](const FtpEntry& a, const FtpEntry& b) {
        if (a.isFolder != b.isFolder)
            return a.isFolder;
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    for (const FtpEntry& entry : qAsConst(shown)) {
        const QString entryPath = path + entry.name + (entry.isFolder ? QStringLiteral("/") : QString());
        addItem(entry.name, entryPath, entry.isFolder ? FolderKind : ProgramKind, &entry);
    }
    translate();
    emit listed(folder);
}

void FtpView::onFailed(const QUrl&, const QString& reason)
{
    _tree->clear();
    emit listingFailed(reason);
}

void FtpView::addItem(const QString& name, const QString& path, int kind, const FtpEntry* entry)
{
    auto* item = new QTreeWidgetItem(_tree);
    item->setText(NameColumn, name);
    item->setIcon(NameColumn, iconFor(kind, name));
    item->setData(NameColumn, pathRole, path);
    item->setData(NameColumn, kindRole, kind);
    if (entry && !entry->isFolder && entry->size >= 0)
        item->setData(NameColumn, sizeRole, entry->size);
    item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    if (entry && entry->modified.isValid())
        item->setData(NameColumn, modifiedRole, entry->modified);
}

void FtpView::onItemActivated(QTreeWidgetItem* item)
{
    QUrl url = _folder;
    url.setPath(item->data(NameColumn, pathRole).toString(), QUrl::DecodedMode);
    if (item->data(NameColumn, kindRole).toInt() == ProgramKind)
        emit programClicked(url);
    else
        emit dirClicked(url);
}

} // namespace tavview::uploader
