#include <lumlink/print/DocumentFile.h>
#include <QSaveFile>
#include <poppler-qt5.h>
#include <memory>

namespace lumlink::print {

bool DocumentFile::writePdf(const QByteArray& pdf, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(pdf) < 0 || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool DocumentFile::writePostScript(const QByteArray& pdf, const QString& title, const QString& path,
                                   QString* error)
{
    const std::unique_ptr<Poppler::Document> document(Poppler::Document::loadFromData(pdf));
    if (!document || document->isLocked() || document->numPages() < 1) {
        *error = tr("The document could not be rendered");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const std::unique_ptr<Poppler::PSConverter> converter(document->psConverter());
    converter->setOutputDevice(&file);
    converter->setTitle(title);
    QList<int> pages;
    for (int page = 1; page <= document->numPages(); ++page)
        pages.append(page);
    converter->setPageList(pages);
    const std::unique_ptr<Poppler::Page> first(document->page(0));
    if (first) {
        converter->setPaperWidth(static_cast<int>(first->pageSizeF().width()));
        converter->setPaperHeight(static_cast<int>(first->pageSizeF().height()));
    }
    if (!converter->convert()) {
        *error = tr("The PostScript conversion failed");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace lumlink::print
