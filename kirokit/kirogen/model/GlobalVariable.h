#pragma once

namespace kirogen::model {

// A variable of the project that every program can read and write.
class GlobalVariable
{
public:
    // The pattern every valid global-variable name matches; it has no anchors, so that it
    // can stand inside a larger pattern.
    static constexpr const char* nameValidatorExpression = "[A-Za-z_][A-Za-z0-9_]*";
};

} // namespace kirogen::model
