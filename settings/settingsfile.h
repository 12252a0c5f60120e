#pragma once

#include <QString>

// Where the settings files live: the installation's beside the executable, named after it;
// each user's own in the user's configuration folder.
namespace SettingsFile {

// The executable's path with its extension (the part of the file name from its last "." on)
// replaced by ".INI"; a file name without a dot gets ".INI" appended. A dot in a folder name
// does not count.
QString pathForExecutable(const QString &executablePath);

// The settings file of the running program, formed anew on each call.
QString path();

// This user's own settings file: $XDG_CONFIG_HOME/kennblaetter/kennblaetter.INI (by default
// below ~/.config). It holds what the program writes where the user cannot write the
// installation's file.
QString userPath();

// This user's folder for the program's state: $XDG_STATE_HOME/kennblaetter (by default below
// ~/.local/state).
QString stateFolder();

} // namespace SettingsFile
