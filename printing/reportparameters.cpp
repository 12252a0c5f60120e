#include "printing/reportparameters.h"

#include "list/currentlist.h"
#include "list/filterstate.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"

#include <array>

using namespace Qt::StringLiterals;

std::optional<QString> SortDescription(qint32 SortOrder)
{
    static const std::array<QString, 7> columns = {u"Kennblattnummer"_s, u"Marke"_s,  u"Pulver"_s,
                                                   u"Hersteller"_s,      u"Zusatz"_s, u"TÜO"_s,
                                                   u"Änderung"_s};
    constexpr qint32 last = qint32(columns.size());
    if (SortOrder < -last || SortOrder > last) // before qAbs, which overflows on the minimum
        return std::nullopt;
    const qint32 column = SortOrder == 0 ? 1 : qAbs(SortOrder);
    return u"Sortiert nach "_s + columns[std::size_t(column - 1)] +
           (SortOrder < 0 ? u" absteigend"_s : QString());
}

ListReportOrder listReportOrder(int printKind, const CurrentList &list, const QByteArray &Edition,
                                const QByteArray &EditionLabel)
{
    if (printKind != 0 && printKind != 2)
        throw AppError(u"Unbekannte Druckart ausgewählt."_s);
    ListReportOrder order;
    order.Sortiert = SortDescription(list.sortOrder());
    if (printKind == 2) {
        order.Gefiltert = u"Nur markierte Kennblätter"_s;
        order.NurMarkierte = true;
    } else if (const FilterState filters = list.filterState();
               listIsFiltered(filters, list.restriction())) {
        // A full-text restriction filters as much as the column filters do.
        order.Gefiltert = u"Liste ist gefiltert"_s;
        order.Filter = FilterDescription(filters, list.restriction());
    }
    order.Norvenz = Cp1252::toUnicode(EditionLabel);
    order.Fassung = Cp1252::toUnicode(Edition);
    return order;
}
