#pragma once

#include <QString>

namespace tavview {

// The text as one word for the POSIX shell: in single quotes, each single quote inside closed,
// escaped and reopened, so the shell expands and runs nothing of it.
QString shellQuoted(const QString& text);

} // namespace tavview
