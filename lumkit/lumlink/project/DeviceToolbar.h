#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <QWidget>
#include <memory>

class QLabel;
class QToolButton;

namespace kirogen::device::model {
class DeviceInstance;
}

namespace lumlink::project {

// The robot's bar in the main toolbar: its name and address, a light that is green while
// it is connected and red otherwise, and a button that connects or disconnects it. The
// light follows the device's own reports (roles 5 and 6), handed over from its thread.
class DeviceToolbar : public QWidget, private kirogen::observer::Observer
{
    Q_OBJECT

public:
    DeviceToolbar(std::shared_ptr<kirogen::device::model::DeviceInstance> device, bool compact,
                  QWidget* parent = nullptr);
    ~DeviceToolbar() override;

    bool showsConnected() const { return _connected; }

public slots:
    // The robot's address as its parameter now says.
    void showAddress();

private slots:
    void translate();
    void on_connectButton_clicked();

private:
    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;
    void showState(bool connected);

    std::shared_ptr<kirogen::device::model::DeviceInstance> _device;
    QLabel* _nameLabel;
    QLabel* _addressLabel;
    QLabel* _light;
    QToolButton* _connectButton;
    bool _connected = false;
};

} // namespace lumlink::project
