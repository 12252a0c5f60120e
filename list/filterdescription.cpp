#include "list/filterdescription.h"

#include "list/filterstate.h"
#include "list/recordrestriction.h"
#include "platform/cp1252.h"
#include "platform/textrules.h"

#include <QStringList>

#include <array>

using namespace Qt::StringLiterals;

bool listIsFiltered(const FilterState &filters, const RecordRestriction *restriction)
{
    return filters.anyFilterSet() || restriction != nullptr;
}

QString FilterDescription(const FilterState &filters, const RecordRestriction *restriction)
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
    if (restriction != nullptr)
        entries.append(restriction->description());
    return entries.join(u", "_s);
}
