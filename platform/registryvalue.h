#pragma once

#include <QString>

// Reads a string value from the registry of the system the program comes from, here from
// QSettings in its native format: "current user" is the user scope, "local machine" the
// system scope. A key path maps the way QSettings maps it on that system
// ("Software\Org\App\Group" is organisation "Org", application "App", group "Group"; the
// "Software\" part is optional), so on Linux the value lives in ~/.config/Org/App.conf or
// /etc/xdg/Org/App.conf.
enum class RegistryRoot { CurrentUser, LocalMachine };

// Empty when the key or the value does not exist.
[[nodiscard]] QString readRegistryString(RegistryRoot root, const QString &keyPath,
                                         const QString &valueName);
