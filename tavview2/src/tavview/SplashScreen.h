#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <QSplashScreen>

namespace tavview {

// The start picture shown while the libraries load. As the loading observer it hears of each
// file being loaded, possibly on a library thread, and shows it on the GUI thread.
class SplashScreen : public QSplashScreen, public kirogen::observer::Observer
{
    Q_OBJECT

public:
    SplashScreen();

    void on_notify(const kirogen::observer::DataRole& role, kirogen::observer::Observable* source,
                   const lum::core::variant::Variant& value) override;

signals:
    void loaded(const QString& what);

public slots:
    void translate();

private slots:
    void on_loaded(const QString& what);
};

} // namespace tavview
