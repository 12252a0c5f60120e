#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>

// The damage sweep's one load: the start-up's loading steps on a catalogue file, run in a child
// process with a time limit so that a crash or a hang is counted, not suffered; and how the
// sweep names and counts outcomes.
namespace Sweep {

// What a load gave: an error, or the rows of each table and a digest of everything loaded.
struct Result
{
    QString error;
    QList<int> rows; // data sheets, then the three lookup tables
    QByteArray digest;
};

enum class Fate { Loaded, Crashed, Hung };

inline constexpr int TimeLimitMs = 10'000;

// `content` saved as the catalogue in `folder` (made and removed here) and loaded in a child.
Fate loadInChild(const QString &folder, const QByteArray &content, Result &result);

// The kind of a German error of the reader or the loader ("table damaged", ...); empty for a
// text the sweep does not know.
QString errorKind(const QString &error);

struct Tally
{
    std::map<QString, int> counts;
    void add(const QString &what) { ++counts[what]; }
    int total() const;
    void print(const char *title) const;
};

} // namespace Sweep
