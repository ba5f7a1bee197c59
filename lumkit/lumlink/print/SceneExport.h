#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QRectF>
#include <QString>

class QGraphicsScene;

namespace lumlink::print {

// One program as its editor draws it, written as an image at a sharp resolution (any format
// QImageWriter writes, by the file's suffix), a PDF page headed by its name, or PostScript made
// from that page. On failure false, the reason in *error, and no file left behind.
class SceneExport
{
    Q_DECLARE_TR_FUNCTIONS(lumlink::print::SceneExport)

public:
    // The part of the scene to draw, and the program's name.
    SceneExport(const QGraphicsScene* scene, const QRectF& source, const QString& title);

    bool toImage(const QString& path, QString* error) const;
    bool toPdf(const QString& path, QString* error) const;
    bool toPostScript(const QString& path, QString* error) const;

private:
    QByteArray pdf() const;

    QGraphicsScene* _scene;
    QRectF _source;
    QString _title;
};

} // namespace lumlink::print
