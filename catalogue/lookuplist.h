#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// A lookup table held as lines key "=" name, in table order (Windows-1252 bytes).
class LookupList
{
public:
    void Add(QByteArrayView key, QByteArrayView name);

    // The name after the first "=" of the last line whose key equals `key` regardless of
    // letter case (umlauts included); empty when there is none.
    QByteArray NameOf(QByteArrayView key) const;

    qsizetype Count() const { return m_lines.size(); }
    const QList<QByteArray> &lines() const { return m_lines; }

private:
    QList<QByteArray> m_lines;
};
