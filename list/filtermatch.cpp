#include "list/filtermatch.h"

#include "catalogue/tkennblatt.h"
#include "platform/textrules.h"

namespace {

constexpr QByteArrayView alle("Alle");

QByteArray trimmedUpper(QByteArrayView text)
{
    return TextRules::upperAscii(TextRules::trimmed(text));
}

void removeFirst(QByteArray &text, char c)
{
    const qsizetype at = text.indexOf(c);
    if (at >= 0)
        text.remove(at, 1);
}

} // namespace

FilterMode filterModeFromSetting(qint32 FilterImmerAlsTeilString)
{
    return FilterImmerAlsTeilString == 1 ? FilterMode::Substring : FilterMode::Prefix;
}

TextFilter::TextFilter(QByteArrayView filterText, FilterMode mode)
{
    if (filterText == alle || filterText.isEmpty())
        return;
    QByteArray f = trimmedUpper(filterText);
    if (mode == FilterMode::Substring) {
        removeFirst(f, '*');
        f = trimmedUpper(f);
        removeFirst(f, '%');
        if (!f.isEmpty()) {
            m_kind = Kind::Contains;
            m_needle = f;
        }
        return;
    }
    const qsizetype star = f.indexOf('*');
    if (star >= 0)
        f[star] = '%';
    if (f.isEmpty())
        return;
    const qsizetype percent = f.indexOf('%');
    if (percent < 0) {
        m_kind = Kind::Prefix;
    } else {
        f.remove(percent, 1);
        m_kind = f.isEmpty() ? Kind::None : Kind::Contains;
    }
    m_needle = f;
}

bool TextFilter::matches(QByteArrayView value) const
{
    switch (m_kind) {
    case Kind::All:
        return true;
    case Kind::None:
        return false;
    case Kind::Prefix:
        return TextRules::startsWithUpper(value, m_needle);
    case Kind::Contains:
        return TextRules::containsUpper(value, m_needle);
    }
    return false;
}

KeyFilter::KeyFilter(QByteArrayView filterText)
{
    const QByteArrayView key = TextRules::trimmed(filterText);
    m_off = key.isEmpty() || key == alle;
    if (!m_off)
        m_key = TextRules::upperAscii(key);
}

bool KeyFilter::matches(QByteArrayView key) const
{
    return m_off || TextRules::equalsUpper(TextRules::trimmed(key), m_key);
}

KennblattFilter::KennblattFilter(QByteArrayView nrFilter, QByteArrayView markeFilter,
                                 QByteArrayView pulverFilter, QByteArrayView herstellerFilter,
                                 QByteArrayView zusatzFilter, QByteArrayView tueoFilter,
                                 quint8 wantedChangeFlag, FilterMode mode)
    : m_nr(nrFilter, mode)
    , m_marke(markeFilter, mode)
    , m_pulver(pulverFilter, mode)
    , m_hersteller(herstellerFilter)
    , m_zusatz(zusatzFilter)
    , m_tueo(tueoFilter)
    , m_wantedChangeFlag(wantedChangeFlag)
{
}

bool KennblattFilter::matches(const TKennblatt &k) const
{
    // The conditions have no side effects, so stopping at the first failing one gives the
    // same answer as evaluating all seven.
    return (m_wantedChangeFlag == 0 || k.AenderungsFlag == m_wantedChangeFlag) &&
           m_hersteller.matches(k.HerstLiefSchl) && m_zusatz.matches(k.ZusatzSchl) &&
           m_tueo.matches(k.InfoGeberSchl) && m_nr.matches(k.nummerView()) &&
           m_marke.matches(k.Marke) && m_pulver.matches(k.Pulvermarke);
}

bool MatchFilterText(QByteArrayView filterText, QByteArrayView value, FilterMode mode)
{
    return TextFilter(filterText, mode).matches(value);
}

bool KennblattMatches(const TKennblatt &kennblatt, QByteArrayView nrFilter,
                      QByteArrayView markeFilter, QByteArrayView pulverFilter,
                      QByteArrayView herstellerFilter, QByteArrayView zusatzFilter,
                      QByteArrayView tueoFilter, quint8 wantedChangeFlag, FilterMode mode)
{
    return KennblattFilter(nrFilter, markeFilter, pulverFilter, herstellerFilter, zusatzFilter,
                           tueoFilter, wantedChangeFlag, mode)
        .matches(kennblatt);
}
