#pragma once

#include <kirogen/model/SfcStep.h>
#include <kirogen/model/SfcTransition.h>

#include <string>
#include <vector>

namespace kirogen::model {

// A sequence chart: steps, exactly one of them initial, and the transitions between them.
class SfcModel
{
public:
    SfcModel(std::string name, std::vector<SfcStep> steps, std::vector<SfcTransition> transitions,
             int line = 0);

    const std::string& name() const { return _name; }
    const std::vector<SfcStep>& steps() const { return _steps; }
    const std::vector<SfcTransition>& transitions() const { return _transitions; }
    int line() const { return _line; }

    // The step with the name, or null.
    const SfcStep* step(const std::string& name) const;
    // The initial step, or null for a chart that has none.
    const SfcStep* initialStep() const;

private:
    std::string _name;
    std::vector<SfcStep> _steps;
    std::vector<SfcTransition> _transitions;
    int _line;
};

} // namespace kirogen::model
