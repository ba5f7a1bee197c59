#include <kirogen/model/SfcModel.h>

#include <algorithm>

namespace kirogen::model {

SfcModel::SfcModel(std::string name, std::vector<SfcStep> steps, std::vector<SfcTransition> transitions,
                   int line)
    : _name(std::move(name)), _steps(std::move(steps)), _transitions(std::move(transitions)), _line(line)
{
}

const SfcStep* SfcModel::step(const std::string& name) const
{
    const auto it =
        std::find_if(_steps.begin(), _steps.end(), [&name](const SfcStep& s) { return s.name == name; });
    return it == _steps.end() ? nullptr : &*it;
}

const SfcStep* SfcModel::initialStep() const
{
    const auto it = std::find_if(_steps.begin(), _steps.end(), [](const SfcStep& s) { return s.initial; });
    return it == _steps.end() ? nullptr : &*it;
}

} // namespace kirogen::model
