#pragma once

#include <QGraphicsView>
#include <QStringList>
#include <memory>
#include <string>

namespace kirogen::model {
class SfcModel;
}

namespace lumlink::sfc {

// Shows a sequence chart: its steps where the chart places them, the initial one double-framed,
// and its transitions with their conditions. Zooms and fits like the diagram editor.
class SFCView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit SFCView(std::shared_ptr<const kirogen::model::SfcModel> chart, QWidget* parent = nullptr);

    double zoom() const { return transform().m11(); }
    const std::string& chartName() const;

    // While the project runs: the steps it is in are highlighted, the others not.
    void setActiveSteps(const QStringList& names);

public slots:
    void zoomIn();
    void zoomOut();
    void fit();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void zoomBy(double factor);

    std::shared_ptr<const kirogen::model::SfcModel> _chart;
};

} // namespace lumlink::sfc
