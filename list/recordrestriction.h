#pragma once

#include <QString>

#include <algorithm>
#include <vector>

// A narrowing of the list to some catalogue records, applied on top of the filters: the data
// sheets a full-text search found. `records` are catalogue indices in ascending order.
struct RecordRestriction
{
    QString query; // what was searched for, as typed, its blanks simplified
    std::vector<qint32> records;

    bool operator==(const RecordRestriction &) const = default;
    bool contains(qint32 record) const
    {
        return std::binary_search(records.begin(), records.end(), record);
    }
    // How every output of the list names it beside the column filters (the report's filter
    // description, the export): "Volltext = 'argon 1.4404'".
    QString description() const;
};
