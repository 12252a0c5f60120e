#pragma once

#include <QByteArrayView>
#include <QtGlobal>

class TKennblatt;

// The columns of a list row: caption, then the seven sub-items.
enum class ListColumn {
    Nummer,
    Marke,
    Pulvermarke,
    HerstLiefSchl,
    ZusatzSchl,
    InfoGeberSchl,
    Aenderung,
    Leer,
};
constexpr int ListColumnCount = 8;

// The text a list row shows in `column`: the change mark is "**" for flag 2 and empty
// otherwise (the list build refuses other flags before a row exists).
QByteArrayView rowText(const TKennblatt &kennblatt, int column);

// SortOrder: +n ascending, -n descending by column n (1 = the number); 0 counts as 1.
// The comparison of two rows while sorting: -1, 0 or 1; stores 1 when SortOrder is 0.
int lvKennblaetterCompare(const TKennblatt &item1, const TKennblatt &item2, qint32 &SortOrder);

// A click on header section `section` (0-based): the same column reverses the direction,
// another column sorts ascending.
qint32 sortOrderAfterClick(qint32 SortOrder, int section);
