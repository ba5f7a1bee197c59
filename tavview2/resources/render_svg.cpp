// Renders one of the workbench's SVG drawings to a PNG of the given size. The PNGs are kept in
// the repository beside their drawings; the build target "artwork" runs this for all of them.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    bool widthOk = false;
    bool heightOk = false;
    const int width = args.size() == 5 ? args[3].toInt(&widthOk) : 0;
    const int height = args.size() == 5 ? args[4].toInt(&heightOk) : 0;
    if (!widthOk || !heightOk || width <= 0 || height <= 0) {
        err << "usage: render_svg DRAWING.svg PICTURE.png WIDTH HEIGHT\n";
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        err << args[1] << ": not a drawing this renderer can read\n";
        return 1;
    }
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    renderer.render(&painter);
    painter.end();
    if (!picture.save(args[2], "PNG")) {
        err << args[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
