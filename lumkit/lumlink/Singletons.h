#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <QString>

namespace lumlink {

// The workbench library's start and end, in this order: readIni, singletons_init, loadSystem,
// ... , writeIni, singletons_done.

// Reads the library's folders from the ini file (tavview2.ini, section General), as the
// interpreter reads its configuration; without the file the folders beside bin/ are used.
// An unreadable file is reported in the message window and the defaults are used.
void readIni(const QString& iniFile);

// Keeps the folders in use in the user's settings store (group "lumlink"), for the tools
// that start from the workbench; never writes into the installation's folders.
void writeIni();

// Parts of the system loadSystem() loads, to be combined.
enum SystemPart
{
    DataAndActorTypes = 1,
    DeviceTypes = 2,
};

// Loads the parts named (3: everything, as the workbench starts) from the folders of
// readIni(). The loading observer of singletons_init() is told each file (role 55) before it
// is read. Throws std::runtime_error naming file and line when a part cannot be loaded.
void loadSystem(int parts);

// Prepares the runtime kit (UTF-8 model text), the schema folder, the library's translations
// and help; the observer, if any, follows loadSystem().
void singletons_init(kirogen::observer::Observer* loadingObserver);

// Closes the active project, then the runtime kit: the last call into the library.
void singletons_done();

} // namespace lumlink
