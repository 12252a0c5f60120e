#pragma once

#include <QString>

#include <algorithm>
#include <vector>

// A narrowing of the list to some catalogue records, applied on top of the filters: the data
// sheets a search found, for instance. `records` are catalogue indices in ascending order.
struct RecordRestriction
{
    QString description; // names it in the status bar, e.g. "Volltextfilter 'S355J2'"
    std::vector<qint32> records;

    bool operator==(const RecordRestriction &) const = default;
    bool contains(qint32 record) const
    {
        return std::binary_search(records.begin(), records.end(), record);
    }
};
