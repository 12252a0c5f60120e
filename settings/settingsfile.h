#pragma once

#include <QString>

// Where the settings file lives: beside the executable, named after it.
namespace SettingsFile {

// The executable's path with its extension (the part of the file name from its last "." on)
// replaced by ".INI"; a file name without a dot gets ".INI" appended. A dot in a folder name
// does not count.
QString pathForExecutable(const QString &executablePath);

// The settings file of the running program, formed anew on each call.
QString path();

} // namespace SettingsFile
