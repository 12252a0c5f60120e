#include "list/sortorder.h"

#include "catalogue/tkennblatt.h"
#include "platform/textrules.h"

#include <cstdlib>

QByteArrayView rowText(const TKennblatt &k, int column)
{
    switch (ListColumn(column)) {
    case ListColumn::Nummer:
        return k.nummerView();
    case ListColumn::Marke:
        return k.Marke;
    case ListColumn::Pulvermarke:
        return k.Pulvermarke;
    case ListColumn::HerstLiefSchl:
        return k.HerstLiefSchl;
    case ListColumn::ZusatzSchl:
        return k.ZusatzSchl;
    case ListColumn::InfoGeberSchl:
        return k.InfoGeberSchl;
    case ListColumn::Aenderung:
        return k.AenderungsFlag == 2 ? QByteArrayView("**") : QByteArrayView();
    case ListColumn::Leer:
        break;
    }
    return {};
}

int lvKennblaetterCompare(const TKennblatt &item1, const TKennblatt &item2, qint32 &SortOrder)
{
    if (SortOrder == 0)
        SortOrder = 1;
    const int column = std::abs(SortOrder) - 1;
    const int result = TextRules::compareUpperAscii(rowText(item1, column), rowText(item2, column));
    return SortOrder > 0 ? result : -result;
}

qint32 sortOrderAfterClick(qint32 SortOrder, int section)
{
    return section + 1 == std::abs(SortOrder) ? -SortOrder : section + 1;
}
