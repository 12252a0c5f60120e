#pragma once

#include "tools/demo/democatalogue.h"

#include <QString>
#include <QStringView>

#include <functional>

// Writing a whole demo installation into a folder.
namespace Demo {

struct InstallOptions
{
    QString folder;       // the installation; created or replaced
    QString settingsPath; // the settings file to write; none when empty
    int count = DefaultCount;
    quint64 seed = DefaultSeed;
    int threads = 0; // for the data-sheet PDFs; 0: as many as there are cores
    // The database alone, for benchmarks of large catalogues: no PDFs, no reference
    // documents, no help and no marker, since such a folder is no complete installation.
    bool databaseOnly = false;
};

struct InstallReport
{
    qint64 databaseMs = 0;
    qint64 sheetsMs = 0;
    qint64 referencesMs = 0;
    qint64 helpMs = 0;
    qint64 totalMs = 0;
    qint64 bytes = 0; // all files of the installation
    int files = 0;
    int threads = 0;
};

// Told how many of the data-sheet PDFs are written; answers false to stop.
using InstallProgress = std::function<bool(int done, int total)>;

// Builds the installation in a hidden folder beside `folder`, writes the marker file last
// and only then moves the result into place, so a folder at `folder` is always either the
// old one or a complete new one; an interrupted or failed run leaves no half installation
// behind (at worst a hidden ".kb-demo-*" folder after a hard kill). An existing `folder`
// is replaced only when it is empty or an earlier demo (it holds the marker or the
// database); anything else is refused. The settings file is written after the move.
[[nodiscard]] bool installDemo(const InstallOptions &options, InstallReport *report, QString *error,
                               const InstallProgress &progress = {});

// Whether `folder` holds a complete demo installation.
bool isCompleteDemo(const QString &folder);

// Written last; holds "count=…" and "seed=…" lines.
inline constexpr QStringView MarkerFileName = u".kb-demo-complete";

} // namespace Demo
