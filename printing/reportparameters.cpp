#include "printing/reportparameters.h"

#include "list/currentlist.h"
#include "list/filterstate.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "platform/textrules.h"

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

QString FilterDescription(const FilterState &filters)
{
    // In the order of FilterState::texts.
    static const std::array<QString, 6> labels = {u"Kennblattnummer = '"_s, u"Marke = '"_s,
                                                  u"Pulver = '"_s,          u"Herst./Lief. = '"_s,
                                                  u"Zusatz = '"_s,          u"TÜO = '"_s};
    QStringList entries;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const QByteArrayView text = TextRules::trimmed(filters.texts[i]);
        if (!text.isEmpty())
            entries.append(labels[i] + Cp1252::toUnicode(text) + u'\'');
    }
    // Index -1 (no entry chosen) counts as a filter but has no text of its own.
    if (filters.changeFilterIndex == 1)
        entries.append(u"Geändert = 'Ja'"_s);
    else if (filters.changeFilterIndex == 2)
        entries.append(u"Geändert = 'Nein'"_s);
    return entries.join(u", "_s);
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
    } else if (const FilterState filters = list.filterState(); filters.anyFilterSet()) {
        order.Gefiltert = u"Liste ist gefiltert"_s;
        order.Filter = FilterDescription(filters);
    }
    order.Norvenz = Cp1252::toUnicode(EditionLabel);
    order.Fassung = Cp1252::toUnicode(Edition);
    return order;
}
