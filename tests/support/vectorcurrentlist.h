#pragma once

#include "catalogue/tkennblatt.h"
#include "list/currentlist.h"

#include <QSet>

#include <optional>

#include <vector>

// A current list over data sheets held elsewhere: the rows in the order given, marks, sort
// order and filter state as set.
class VectorCurrentList final : public CurrentList
{
public:
    std::vector<const TKennblatt *> rows;
    QSet<int> marked;
    qint32 sort = 0;
    FilterState filters;
    std::optional<RecordRestriction> restricted;

    int rowCount() const override { return int(rows.size()); }
    const TKennblatt &kennblatt(int row) const override { return *rows[std::size_t(row)]; }
    bool isMarked(int row) const override { return marked.contains(row); }
    QList<int> markedRows() const override
    {
        QList<int> result;
        for (int row = 0; row < rowCount(); ++row) {
            if (isMarked(row))
                result.append(row);
        }
        return result;
    }
    qint32 sortOrder() const override { return sort; }
    FilterState filterState() const override { return filters; }
    const RecordRestriction *restriction() const override
    {
        return restricted ? &*restricted : nullptr;
    }
};
