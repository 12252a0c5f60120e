#pragma once

#include <QString>

// Catalogues for the benchmarks, written by the demo generator in a child process of the
// benchmark (so that the writer's memory and caches do not count): call runAsWriter() first
// in main(); writeCatalogue() starts the program itself to write one.
namespace BenchCatalogue {

// The database's file name in its folder.
QString fileName();
// When the program was started as a writer, writes and returns its exit code; else -1.
int runAsWriter(const QStringList &arguments);
// Writes a catalogue of `count` data sheets into `folder`; false after printing the error.
bool writeCatalogue(const QString &folder, int count);

} // namespace BenchCatalogue
