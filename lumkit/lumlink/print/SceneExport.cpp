#include <lumlink/print/DocumentFile.h>
#include <lumlink/print/SceneExport.h>
#include <QBuffer>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace lumlink::print {

namespace {

// Pixels per scene unit of an image: sharp when printed or zoomed.
constexpr double ImageScale = 3;

} // namespace

SceneExport::SceneExport(const QGraphicsScene* scene, const QRectF& source, const QString& title)
    // Rendering does not change the scene; QGraphicsScene::render is not const only by its age.
    : _scene(const_cast<QGraphicsScene*>(scene)), _source(source), _title(title)
{
}

bool SceneExport::toImage(const QString& path, QString* error) const
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        *error = tr("No image format is known for the file name %1").arg(path);
        return false;
    }
    QImage image((_source.size() * ImageScale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        _scene->render(&painter, QRectF(image.rect()), _source);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, format);
    if (!writer.write(image)) {
        *error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool SceneExport::toPdf(const QString& path, QString* error) const
{
    return DocumentFile::writePdf(pdf(), path, error);
}

bool SceneExport::toPostScript(const QString& path, QString* error) const
{
    return DocumentFile::writePostScript(pdf(), _title, path, error);
}

QByteArray SceneExport::pdf() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(_title);
    writer.setCreator(QCoreApplication::applicationName());
    writer.setResolution(300);
    writer.setPageOrientation(_source.width() > _source.height() ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
    QPainter painter(&writer);
    const QRectF page(0, 0, writer.width(), writer.height());
    QFont heading = painter.font();
    heading.setPixelSize(writer.resolution() / 5);
    heading.setBold(true);
    painter.setFont(heading);
    const double headingHeight = painter.fontMetrics().height() * 2;
    painter.drawText(page, Qt::AlignTop | Qt::AlignLeft, _title);
    _scene->render(&painter, page.adjusted(0, headingHeight, 0, 0), _source, Qt::KeepAspectRatio);
    painter.end();
    return bytes;
}

} // namespace lumlink::print
