#pragma once

#include <kirogen/sim/RunSnapshot.h>
#include <QObject>
#include <memory>
#include <vector>

class QTabWidget;
class QWidget;

namespace lumlink::project {

class Simulation;

// Shows a running project in its program editors: the active steps of each sequence chart
// highlighted and, unless the editor option says otherwise, the current values beside the block
// outputs of the diagrams that active steps run. It follows the simulation's polls (a few a
// second, never a cycle), draws only into the editor of the current tab (another tab catches up
// when it becomes current) and clears every editor when the run ends.
class LiveView : public QObject
{
    Q_OBJECT

public:
    // Owned by the tab widget whose program editors it fills.
    LiveView(Simulation* simulation, QTabWidget* tabs);

private:
    void on_simulation_runsObserved(std::shared_ptr<const std::vector<kirogen::sim::RunSnapshot>> runs);
    void on_simulation_stateChanged();
    void showCurrent();
    void show(QWidget* editor) const;
    void clear(QWidget* editor) const;

    Simulation* _simulation;
    QTabWidget* _tabs;
    // The latest poll's runs; empty while nothing runs.
    std::shared_ptr<const std::vector<kirogen::sim::RunSnapshot>> _runs;
};

} // namespace lumlink::project
