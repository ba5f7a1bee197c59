#pragma once

#include <QString>

namespace kirolab::interpreter {

// The working directory a program in programDir runs in: the program directory itself when
// it ends in "bin", the source tree's "tavview3" folder beside a build "target" folder, or an
// empty string for no change. The test ignores case.
QString workingDirectoryFor(const QString& programDir);

} // namespace kirolab::interpreter
