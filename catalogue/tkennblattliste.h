#pragma once

#include "catalogue/tkennblatt.h"

#include <memory>
#include <vector>

// The catalogue in load order. It owns its records; they are never changed, removed or
// reordered after loading, so references handed out by Get stay valid.
class TKennblattListe
{
public:
    TKennblattListe() = default;
    TKennblattListe(const TKennblattListe &) = delete;
    TKennblattListe &operator=(const TKennblattListe &) = delete;

    qint32 Count() const { return m_count; }

    // Appends one record; raises the error of SetNummer when KBNr cannot be read, leaving
    // Count unchanged (the half-filled slot is reused by the next Add).
    void Add(QByteArrayView KBNr, const QByteArray &Marke, const QByteArray &Pulvermarke,
             const QByteArray &HerstLiefSchl, const QByteArray &ZusatzSchl,
             const QByteArray &InfoGeberSchl, quint8 AenderungsFlag);

    // The stored record at a 0-based index; raises "Index kleiner 0 angegeben" or
    // "Index groesser Anzahl angegeben".
    TKennblatt &Get(qint32 index);
    const TKennblatt &Get(qint32 index) const;

private:
    void checkIndex(qint32 index) const;

    std::vector<std::unique_ptr<TKennblatt>> m_items;
    qint32 m_count = 0;
};

// The one catalogue of the program, filled once at start-up.
extern TKennblattListe KennblattListe;
