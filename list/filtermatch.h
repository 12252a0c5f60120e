#pragma once

#include <QByteArray>
#include <QByteArrayView>

class TKennblatt;

// The two pattern modes; the setting FilterImmerAlsTeilString = 1 selects Substring.
enum class FilterMode { Prefix, Substring };

FilterMode filterModeFromSetting(qint32 FilterImmerAlsTeilString);

// One filter text prepared for matching many values: the wildcard and trimming rules run
// once here instead of once per data sheet.
class TextFilter
{
public:
    TextFilter() = default;
    TextFilter(QByteArrayView filterText, FilterMode mode);

    bool matches(QByteArrayView value) const;
    bool isOff() const { return m_kind == Kind::All; }

private:
    enum class Kind { All, None, Prefix, Contains };
    Kind m_kind = Kind::All;
    QByteArray m_needle; // upper-cased
};

// A lookup-key filter: trimmed, upper-cased equality; "Alle" or blanks switch it off.
class KeyFilter
{
public:
    KeyFilter() = default;
    explicit KeyFilter(QByteArrayView filterText);

    bool matches(QByteArrayView key) const;
    bool isOff() const { return m_off; }

private:
    bool m_off = true;
    QByteArray m_key; // trimmed, upper-cased
};

// The seven filters of the main list, prepared once per list build.
class KennblattFilter
{
public:
    KennblattFilter(QByteArrayView nrFilter, QByteArrayView markeFilter,
                    QByteArrayView pulverFilter, QByteArrayView herstellerFilter,
                    QByteArrayView zusatzFilter, QByteArrayView tueoFilter, quint8 wantedChangeFlag,
                    FilterMode mode);

    bool matches(const TKennblatt &kennblatt) const;

private:
    TextFilter m_nr, m_marke, m_pulver;
    KeyFilter m_hersteller, m_zusatz, m_tueo;
    quint8 m_wantedChangeFlag;
};

bool MatchFilterText(QByteArrayView filterText, QByteArrayView value, FilterMode mode);

bool KennblattMatches(const TKennblatt &kennblatt, QByteArrayView nrFilter,
                      QByteArrayView markeFilter, QByteArrayView pulverFilter,
                      QByteArrayView herstellerFilter, QByteArrayView zusatzFilter,
                      QByteArrayView tueoFilter, quint8 wantedChangeFlag, FilterMode mode);
