#include <kirogen/device/model/DeviceInstance.h>
#include <kirogen/model/FunctionBlockDiagram.h>
#include <kirogen/model/GlobalVariable.h>
#include <kirogen/model/Project.h>
#include <kirogen/model/SfcModel.h>
#include <lumlink/print/DocumentFile.h>
#include <lumlink/project/Project.h>
#include <lumlink/project/ProjectDocument.h>
#include <lumlink/sdf/DiagramDocument.h>
#include <lumlink/sdf/SDFScene.h>
#include <lumlink/sfc/ChartDocument.h>
#include <lumlink/sfc/SFCScene.h>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace lumlink::project {

namespace {

// Dots per inch of the pages: fine enough for thin wires and small port labels.
constexpr int Resolution = 300;
// A small program is drawn at most this much larger than the editor shows it at 100 %.
constexpr double MaximumProgramScale = 1.5 * Resolution / 96.0;
const QColor RuleColor(0xb0, 0xb7, 0xbf);
const QColor HeaderFill(0xec, 0xef, 0xf1);

QFont font(double points, bool bold = false)
{
    QFont f;
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// One page: its orientation and what is drawn on it, within the area above the footer.
struct Page
{
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::vector<std::function<void(QPainter&, const QRectF&)>> parts;
};

// Lays headings and table rows out from the top of portrait pages down, starting a new page
// where the next one does not fit; a table continued on a new page repeats its header row.
class Flow
{
public:
    Flow(std::vector<Page>& pages, QPaintDevice* device, const QSizeF& area)
        : _pages(pages), _device(device), _area(area)
    {
    }

    void heading(const QString& text)
    {
        const QFont f = font(15, true);
        const double height = QFontMetricsF(f, _device).height() * 1.8;
        // A heading never stands alone at the foot of a page.
        reserve(height + 3 * rowHeight(QStringList(text), {1.0}, font(10)));
        const double y = _y;
        current().parts.push_back([=](QPainter& painter, const QRectF& body) {
            painter.setFont(f);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(body.left(), body.top() + y, body.width(), height),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
        });
        _y += height;
    }

    void paragraph(const QString& text)
    {
        const QFont f = font(10);
        const double height = rowHeight(QStringList(text), {1.0}, f);
        reserve(height);
        const double y = _y;
        current().parts.push_back([=](QPainter& painter, const QRectF& body) {
            painter.setFont(f);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(body.left(), body.top() + y, body.width(), height),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        });
        _y += height;
    }

    // Columns share the width by the given fractions.
    void table(const QStringList& header, const std::vector<double>& widths,
               const std::vector<QStringList>& rows)
    {
        const double headerHeight = rowHeight(header, widths, font(10, true));
        reserve(headerHeight);
        addRow(header, widths, true, headerHeight);
        for (const QStringList& row : rows) {
            const double height = rowHeight(row, widths, font(10));
            if (_y + height > _area.height()) {
                newPage();
                addRow(header, widths, true, headerHeight);
            }
            addRow(row, widths, false, height);
        }
        _y += headerHeight / 2;
    }

    void newPage()
    {
        _pages.emplace_back();
        _y = 0;
        _started = true;
    }

private:
    Page& current()
    {
        if (!_started)
            newPage();
        return _pages.back();
    }

    void reserve(double height)
    {
        if (!_started || _y + height > _area.height())
            newPage();
    }

    double padding() const { return _device->logicalDpiY() / 25.0; }

    double rowHeight(const QStringList& cells, const std::vector<double>& widths, const QFont& f) const
    {
        const QFontMetricsF metrics(f, _device);
        double height = metrics.height();
        for (int column = 0; column < cells.size(); ++column) {
            const double width = _area.width() * widths[column] - 2 * padding();
            height = std::max(height, metrics
                                          .boundingRect(QRectF(0, 0, width, 1e6),
                                                        Qt::AlignLeft | Qt::TextWordWrap, cells[column])
                                          .height());
        }
        return height + 2 * padding();
    }

    void addRow(const QStringList& cells, const std::vector<double>& widths, bool header, double height)
    {
        const double y = _y;
        const double pad = padding();
        current().parts.push_back([=](QPainter& painter, const QRectF& body) {
            const QRectF row(body.left(), body.top() + y, body.width(), height);
            if (header)
                painter.fillRect(row, HeaderFill);
            painter.setPen(QPen(RuleColor, 0));
            painter.drawLine(row.bottomLeft(), row.bottomRight());
            painter.setFont(font(10, header));
            painter.setPen(Qt::black);
            double x = row.left();
            for (int column = 0; column < cells.size(); ++column) {
                const double width = row.width() * widths[column];
                painter.drawText(QRectF(x + pad, row.top() + pad, width - 2 * pad, height - 2 * pad),
                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, cells[column]);
                x += width;
            }
        });
        _y += height;
    }

    std::vector<Page>& _pages;
    QPaintDevice* _device;
    QSizeF _area;
    double _y = 0;
    bool _started = false;
};

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// A program's page: its name above it and the drawing as large as fits, centred.
Page programPage(const QString& name, const QString& kind, QGraphicsScene* scene, const QRectF& source)
{
    Page page;
    page.orientation = source.width() > source.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    page.parts.push_back([=](QPainter& painter, const QRectF& body) {
        const QFont nameFont = font(18, true);
        const QFont kindFont = font(10);
        const double nameHeight = QFontMetricsF(nameFont, painter.device()).height() * 1.4;
        const double kindHeight = QFontMetricsF(kindFont, painter.device()).height() * 2;
        painter.setPen(Qt::black);
        painter.setFont(nameFont);
        painter.drawText(QRectF(body.left(), body.top(), body.width(), nameHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        painter.setFont(kindFont);
        painter.setPen(QColor(0x60, 0x6b, 0x75));
        painter.drawText(QRectF(body.left(), body.top() + nameHeight, body.width(), kindHeight),
                         Qt::AlignLeft | Qt::AlignTop, kind);
        if (source.isEmpty())
            return;
        const QRectF area = body.adjusted(0, nameHeight + kindHeight, 0, 0);
        const double scale =
            std::min({area.width() / source.width(), area.height() / source.height(), MaximumProgramScale});
        QRectF target(0, 0, source.width() * scale, source.height() * scale);
        target.moveCenter(QPointF(area.center().x(), area.top() + target.height() / 2));
        scene->render(&painter, target, source, Qt::KeepAspectRatio);
    });
    return page;
}

} // namespace

ProjectDocument::ProjectDocument(const Project& project)
    : _project(project), _date(QDateTime::currentDateTime())
{
}

QByteArray ProjectDocument::pdf() const
{
    const auto model = _project.kirogenProject();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(Resolution);
    writer.setTitle(_project.displayName());
    writer.setCreator(QCoreApplication::applicationName());
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    const QFont footerFont = font(8);
    const double footerHeight = QFontMetricsF(footerFont, &writer).height() * 2;
    const QSizeF portraitArea(writer.width(), writer.height() - footerHeight);

    std::vector<Page> pages;
    Page title;
    const QString file = _project.fileInfo().filePath().isEmpty()
                             ? tr("Not saved yet")
                             : QDir::toNativeSeparators(_project.fileInfo().absoluteFilePath());
    const QString date = QLocale().toString(_date, QLocale::LongFormat);
    const QString name = _project.displayName();
    title.parts.push_back([=](QPainter& painter, const QRectF& body) {
        const QFont nameFont = font(30, true);
        const QFont lineFont = font(12);
        const QRectF nameRect(body.left(), body.top() + body.height() / 3, body.width(),
                              QFontMetricsF(nameFont, painter.device()).height() * 2);
        painter.setPen(Qt::black);
        painter.setFont(nameFont);
        painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, name);
        painter.setPen(QPen(RuleColor, Resolution / 100.0));
        painter.drawLine(QPointF(body.left() + body.width() / 4, nameRect.bottom()),
                         QPointF(body.right() - body.width() / 4, nameRect.bottom()));
        painter.setFont(lineFont);
        painter.setPen(QColor(0x37, 0x47, 0x4f));
        const double line = QFontMetricsF(lineFont, painter.device()).height() * 1.6;
        painter.drawText(QRectF(body.left(), nameRect.bottom() + line, body.width(), 2 * line),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, tr("File: %1").arg(file));
        painter.drawText(QRectF(body.left(), nameRect.bottom() + 3 * line, body.width(), line),
                         Qt::AlignHCenter | Qt::AlignTop, tr("Date: %1").arg(date));
    });
    pages.push_back(title);

    Flow flow(pages, &writer, portraitArea);
    flow.newPage();
    flow.heading(tr("Global variables"));
    std::vector<QStringList> variables;
    for (const auto& [variableName, variable] : model->globalVariables())
        variables.push_back({text(variable->getVarName()), text(variable->typeName()),
                             text(variable->initialValue().toString())});
    if (variables.empty())
        flow.paragraph(tr("The project has no global variables."));
    else
        flow.table({tr("Name"), tr("Type"), tr("Initial value")}, {0.4, 0.2, 0.4}, variables);
    flow.heading(tr("Devices"));
    std::vector<QStringList> devices;
    for (const auto& device : model->devices()) {
        const auto type = device->deviceType();
        QStringList parameters;
        for (const auto& parameter : type->parameters())
            parameters.append(QStringLiteral("%1 = %2").arg(
                text(parameter.name), text(device->parameter(parameter.name).toString())));
        devices.push_back({text(device->instanceName()), text(type->displayName()), parameters.join('\n')});
    }
    if (devices.empty())
        flow.paragraph(tr("The project has no devices."));
    else
        flow.table({tr("Name"), tr("Type"), tr("Parameters")}, {0.25, 0.25, 0.5}, devices);

    // The scenes live until the pages are drawn.
    std::vector<std::unique_ptr<QObject>> keep;
    for (const auto& chart : model->sfcModels()) {
        auto document = std::make_unique<sfc::ChartDocument>(model, chart->name(), _project.undoStack());
        auto* scene = new sfc::SFCScene(document.get(), document.get());
        const QRectF source =
            chart->steps().empty() ? QRectF() : scene->itemsBoundingRect().adjusted(-20, -20, 20, 20);
        pages.push_back(programPage(text(chart->name()), tr("Sequence chart"), scene, source));
        keep.push_back(std::move(document));
    }
    for (const auto& [diagramName, diagram] : model->diagrams()) {
        auto document = std::make_unique<sdf::DiagramDocument>(model, diagramName, _project.undoStack());
        auto* scene = new sdf::SDFScene(document.get(), document.get());
        const QRectF source = diagram->blocks().empty() ? QRectF() : scene->diagramRect();
        pages.push_back(programPage(text(diagramName), tr("Function-block diagram"), scene, source));
        keep.push_back(std::move(document));
    }

    QPainter painter(&writer);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const int count = static_cast<int>(pages.size());
    for (int index = 0; index < count; ++index) {
        const Page& page = pages[static_cast<std::size_t>(index)];
        if (index > 0) {
            writer.setPageOrientation(page.orientation);
            writer.newPage();
        }
        const QRectF body(0, 0, writer.width(), writer.height() - footerHeight);
        for (const auto& part : page.parts) {
            painter.save();
            part(painter, body);
            painter.restore();
        }
        const QRectF footer(0, writer.height() - footerHeight, writer.width(), footerHeight);
        painter.setFont(footerFont);
        painter.setPen(QColor(0x60, 0x6b, 0x75));
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, name);
        painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                         tr("Page %1 of %2").arg(index + 1).arg(count));
    }
    painter.end();
    return bytes;
}

bool ProjectDocument::write(const QString& path, QString* error) const
{
    return QFileInfo(path).suffix().compare(QLatin1String("ps"), Qt::CaseInsensitive) == 0
               ? writePostScript(path, error)
               : writePdf(path, error);
}

bool ProjectDocument::writePdf(const QString& path, QString* error) const
{
    return print::DocumentFile::writePdf(pdf(), path, error);
}

bool ProjectDocument::writePostScript(const QString& path, QString* error) const
{
    return print::DocumentFile::writePostScript(pdf(), _project.displayName(), path, error);
}

} // namespace lumlink::project
