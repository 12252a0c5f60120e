#pragma once

#include <QByteArray>
#include <QString>

// The damage sweep's systematic part: each byte of the structures a reader can check against
// each other is changed in turn, one change per load, in eight bit flips and to 00 and FF:
// every table definition (up to the length it gives), a sample of memo fields (every field
// whose value lies on long-value pages, every twentieth of those kept in the row), the header
// and slot table of every long-value page and the pointer that starts each piece of a chained
// value. Bytes inside stored memo values, which nothing protects, are changed too and counted
// apart. A load must give the same rows as the original or a German error.
namespace Sweep {

struct StructureOutcome
{
    int changes = 0;
    int faults = 0; // crashes, hangs, unknown errors and silent wrong results from structure
};

// `original` must be a sound catalogue (Jet 3 or Jet 4) that loads without an error. Prints the
// outcomes as a table headed by `name`; changed files with a fault go to `keep` (if given).
StructureOutcome sweepStructures(const QString &name, const QByteArray &original,
                                 const QString &workFolder, const QString &keep);

} // namespace Sweep
