#include "catalogue/tkennblattliste.h"

#include "platform/apperror.h"

#include <new>

using namespace Qt::StringLiterals;

TKennblattListe KennblattListe;

TKennblattListe::~TKennblattListe()
{
    const qint32 made = m_count + (m_halfFilled ? 1 : 0);
    for (qint32 index = 0; index < made; ++index)
        slot(index)->~TKennblatt();
}

TKennblatt *TKennblattListe::slot(qint32 index) const
{
    std::byte *bytes = m_blocks[std::size_t(index / BlockSize)]->data();
    return std::launder(reinterpret_cast<TKennblatt *>(bytes)) + index % BlockSize;
}

QByteArray TKennblattListe::keep(QByteArrayView text)
{
    if (text.isEmpty())
        return {};
    return QByteArray::fromRawData(m_texts.store(text), text.size());
}

void TKennblattListe::Add(QByteArrayView KBNr, const QByteArray &Marke,
                          const QByteArray &Pulvermarke, const QByteArray &HerstLiefSchl,
                          const QByteArray &ZusatzSchl, const QByteArray &InfoGeberSchl,
                          quint8 AenderungsFlag)
{
    addLoaded(KBNr, Marke, Pulvermarke, HerstLiefSchl, ZusatzSchl, InfoGeberSchl, AenderungsFlag);
}

void TKennblattListe::addLoaded(QByteArrayView KBNr, QByteArrayView Marke,
                                QByteArrayView Pulvermarke, QByteArrayView HerstLiefSchl,
                                QByteArrayView ZusatzSchl, QByteArrayView InfoGeberSchl,
                                quint8 AenderungsFlag)
{
    TKennblatt *record;
    if (m_halfFilled) {
        // The record of the failed Add before is dropped for a new one.
        record = slot(m_count);
        *record = TKennblatt();
    } else {
        if (m_count == qint32(m_blocks.size()) * BlockSize)
            m_blocks.push_back(std::make_unique<LargeBlock>(LargeBlock::Unit));
        record = new (slot(m_count)) TKennblatt();
        m_halfFilled = true;
    }
    record->SetNummer(KBNr);
    record->Marke = keep(Marke);
    record->Pulvermarke = keep(Pulvermarke);
    record->HerstLiefSchl = keep(HerstLiefSchl);
    record->ZusatzSchl = keep(ZusatzSchl);
    record->InfoGeberSchl = keep(InfoGeberSchl);
    record->AenderungsFlag = AenderungsFlag;
    m_halfFilled = false;
    ++m_count;
}

TKennblatt &TKennblattListe::Get(qint32 index)
{
    checkIndex(index);
    return *slot(index);
}

const TKennblatt &TKennblattListe::Get(qint32 index) const
{
    checkIndex(index);
    return *slot(index);
}

void TKennblattListe::checkIndex(qint32 index) const
{
    if (index < 0)
        throw AppError(u"Index kleiner 0 angegeben"_s);
    if (index > m_count - 1)
        throw AppError(u"Index groesser Anzahl angegeben"_s);
}
