#pragma once

#include <QString>

namespace lumlink {

// Where the installation keeps the library's data: the folders of tavview2.ini's section
// General, each defaulting to its folder beside bin/ (or the working directory's bin/).
class Installation
{
public:
    static Installation& singleton();

    // Reads the keys as the interpreter does; a missing or unreadable file leaves the
    // defaults beside the program directory. False when the file exists but cannot be read.
    bool read(const QString& iniFile);
    // The defaults beside the program directory.
    void setDefaults();

    QString configDir() const { return _configDir; }
    QString devicesDir() const { return _devicesDir; }
    QString unitsDir() const { return _unitsDir; }
    QString schemaDir() const { return _schemaDir; }
    QString helpDir() const { return _helpDir; }
    QString translationsDir() const { return _translationsDir; }
    QString examplesDir() const { return _examplesDir; }
    QString userDir() const { return _userDir; }

    // The folder of the program, as the interpreter takes it.
    static QString programDirectory();

private:
    Installation();

    QString _configDir;
    QString _devicesDir;
    QString _unitsDir;
    QString _schemaDir;
    QString _helpDir;
    QString _translationsDir;
    QString _examplesDir;
    QString _userDir;
};

} // namespace lumlink
