#pragma once

#include <QDir>

#include <string>

namespace kirolab::interpreter {

// Fills the user's profile folder below the home directory from userDir. Runs at every start;
// existing files are never overwritten, so it only adds what is missing.
void initUserProfile(const std::string& userDir);

// Copies the tree below src into dst, adding only what dst lacks. Both directories end where
// they started. A directory that cannot be entered or created is skipped with a warning on
// standard error; the copy goes on.
void copyRec(QDir& src, QDir& dst);

} // namespace kirolab::interpreter
