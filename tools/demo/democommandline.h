#pragma once

#include "tools/demo/demoinstaller.h"

#include <QString>
#include <QStringList>

namespace Demo {

struct CommandLine
{
    InstallOptions options;
    bool quiet = false;
    bool helpWanted = false;
    QString helpText;
};

// Reads kb-demo's arguments (the program name first): the installation folder and the
// options --count, --seed, --settings, --threads, --database-only, --quiet, --help. False, with a
// reason, for anything it cannot use.
[[nodiscard]] bool parseCommandLine(const QStringList &arguments, CommandLine &result,
                                    QString *error);

} // namespace Demo
