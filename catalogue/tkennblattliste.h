#pragma once

#include "catalogue/largeblock.h"
#include "catalogue/textarena.h"
#include "catalogue/tkennblatt.h"

#include <QByteArrayView>

#include <memory>
#include <vector>

// The catalogue in load order. It owns its records; they are never changed, removed or
// reordered after loading, and a record keeps its address while the list grows, so references
// handed out by Get stay valid.
//
// A catalogue has 100,000 records and more, so they are kept in large blocks of thousands,
// and the bytes of their texts in the list's own text blocks: the text fields of a stored record
// are QByteArray::fromRawData views of those bytes (0-terminated), valid as long as the list. A
// copy of such a field shares the bytes; changing it makes a copy of its own, as for any
// QByteArray.
class TKennblattListe
{
public:
    TKennblattListe() = default;
    ~TKennblattListe();
    TKennblattListe(const TKennblattListe &) = delete;
    TKennblattListe &operator=(const TKennblattListe &) = delete;

    qint32 Count() const { return m_count; }

    // Appends one record; raises the error of SetNummer when KBNr cannot be read, leaving
    // Count unchanged (the half-filled slot is reused by the next Add).
    void Add(QByteArrayView KBNr, const QByteArray &Marke, const QByteArray &Pulvermarke,
             const QByteArray &HerstLiefSchl, const QByteArray &ZusatzSchl,
             const QByteArray &InfoGeberSchl, quint8 AenderungsFlag);
    // The same from texts that need to live only for the call, as the loader reads them.
    void addLoaded(QByteArrayView KBNr, QByteArrayView Marke, QByteArrayView Pulvermarke,
                   QByteArrayView HerstLiefSchl, QByteArrayView ZusatzSchl,
                   QByteArrayView InfoGeberSchl, quint8 AenderungsFlag);

    // The stored record at a 0-based index; raises "Index kleiner 0 angegeben" or
    // "Index groesser Anzahl angegeben".
    TKennblatt &Get(qint32 index);
    const TKennblatt &Get(qint32 index) const;

private:
    // Blocks of records, made as records are added.
    static constexpr qint32 BlockSize = qint32(LargeBlock::Unit / qsizetype(sizeof(TKennblatt)));

    void checkIndex(qint32 index) const;
    TKennblatt *slot(qint32 index) const;
    QByteArray keep(QByteArrayView text);

    std::vector<std::unique_ptr<LargeBlock>> m_blocks;
    qint32 m_count = 0;
    // Slot m_count holds the record of a failed Add.
    bool m_halfFilled = false;
    TextArena m_texts;
};

// The one catalogue of the program, filled once at start-up.
extern TKennblattListe KennblattListe;
