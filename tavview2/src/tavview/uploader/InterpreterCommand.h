#pragma once

#include <QString>

namespace tavview::uploader {

// The robot's shell command that runs a project file in the interpreter, printing the global
// variables every intervalMs milliseconds (0: never). The path reaches the interpreter exactly
// as given; a path with a control character (a line end would split the command) gives an
// empty text: such a file cannot be started.
QString interpreterCommandLine(int intervalMs, const QString& path);

} // namespace tavview::uploader
