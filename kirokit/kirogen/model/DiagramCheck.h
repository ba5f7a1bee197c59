#pragma once

#include <kirogen/model/DataLink.h>
#include <kirogen/model/DiagramProblem.h>

#include <cstddef>
#include <optional>
#include <vector>

namespace kirogen::model {

class FunctionBlockDiagram;
class Project;

// The rules every function-block diagram keeps, taken from the declarations of its actor
// types: block ids unique and not empty, types and parameters declared, parameters that
// name a global variable, device or device port naming one of the project, links between
// existing ports of the right direction, at most one link per input, and no loop except
// through a block without direct feedthrough. The project reader refuses a file, the
// compiler a diagram and the editors an edit with the same check.
class DiagramCheck
{
public:
    // Without a project no global variable or device is known.
    explicit DiagramCheck(const Project* project);

    // The first problem of the diagram; none for a sound one. A sound diagram's blocks go
    // into order (indexes) in the order a cycle evaluates them: each after the blocks it
    // depends on, otherwise in diagram order.
    std::optional<DiagramProblem> check(const FunctionBlockDiagram& diagram,
                                        std::vector<std::size_t>* order = nullptr) const;

    // The first problem the diagram would have with the link added.
    std::optional<DiagramProblem> checkLink(const FunctionBlockDiagram& diagram, const DataLink& link) const;

private:
    const Project* _project;
};

} // namespace kirogen::model
