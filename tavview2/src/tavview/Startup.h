#pragma once

#include <kirogen/observer/ModelObserver.h>
#include <QString>
#include <QStringList>

namespace tavview::startup {

// The folder to work in for a program that lies in applicationDir: the program folder of an
// installation ("bin"), the workbench's folder of a development tree, otherwise empty (stay).
QString workingDirectoryFor(const QString& applicationDir);

// Moves to workingDirectoryFor(the program's folder) when that is another folder.
void applyWorkingDirectoryRule();

// The project and the auto-start switch named on the command line.
struct CommandLine
{
    QString projectPath;
    bool autoStart = false;
};

// Walks the arguments (program path included). Returns false after telling the user why the
// program cannot start: a named project file is missing, or /autostart came without a project.
bool parseCommandLine(const QStringList& arguments, CommandLine& result);

// Copies "packages_dir", "pkgtools" and "userdir" from the ini file into the settings store,
// or stores the defaults beside the program's folder when the file does not exist.
void readIni(const QString& iniFile);

// The usage box.
void printHelp();

// Creates the user's profile folder and adds what it lacks from the "userdir" setting.
void initUserProfile();

// Starts the libraries with the loading observer, then the vision and navigation blocks, so
// that every block the palette offers can run in the simulation.
void initLibraries(kirogen::observer::Observer* loadingObserver);

} // namespace tavview::startup
