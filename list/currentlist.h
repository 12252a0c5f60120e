#pragma once

#include "list/filterstate.h"
#include "list/recordrestriction.h"

#include <QList>

class TKennblatt;

// The catalogue list as the main window shows it, for the commands that work on it (opening
// a data sheet, printing): the rows in their current order, which of them are marked, the
// sort order, the filters the rows were built with and the restriction on top. Read-only.
class CurrentList
{
public:
    virtual ~CurrentList() = default;

    virtual int rowCount() const = 0;
    // The data sheet of a row, 0 <= row < rowCount(), counted in list order.
    virtual const TKennblatt &kennblatt(int row) const = 0;
    virtual bool isMarked(int row) const = 0;
    // The marked rows in list order.
    virtual QList<int> markedRows() const = 0;
    // Signed sort column: +n ascending, -n descending, n = 1 the number; 0 before any sort.
    virtual qint32 sortOrder() const = 0;
    virtual FilterState filterState() const = 0;
    // The narrowing on top of the filters (a full-text search's sheets); null without one.
    virtual const RecordRestriction *restriction() const = 0;
};
