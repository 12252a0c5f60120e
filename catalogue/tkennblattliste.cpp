#include "catalogue/tkennblattliste.h"

#include "platform/apperror.h"

using namespace Qt::StringLiterals;

TKennblattListe KennblattListe;

void TKennblattListe::Add(QByteArrayView KBNr, const QByteArray &Marke,
                          const QByteArray &Pulvermarke, const QByteArray &HerstLiefSchl,
                          const QByteArray &ZusatzSchl, const QByteArray &InfoGeberSchl,
                          quint8 AenderungsFlag)
{
    m_items.resize(std::size_t(m_count) + 1);
    auto &slot = m_items[std::size_t(m_count)];
    slot = std::make_unique<TKennblatt>();
    slot->SetNummer(KBNr);
    slot->Marke = Marke;
    slot->Pulvermarke = Pulvermarke;
    slot->HerstLiefSchl = HerstLiefSchl;
    slot->ZusatzSchl = ZusatzSchl;
    slot->InfoGeberSchl = InfoGeberSchl;
    slot->AenderungsFlag = AenderungsFlag;
    ++m_count;
}

TKennblatt &TKennblattListe::Get(qint32 index)
{
    checkIndex(index);
    return *m_items[std::size_t(index)];
}

const TKennblatt &TKennblattListe::Get(qint32 index) const
{
    checkIndex(index);
    return *m_items[std::size_t(index)];
}

void TKennblattListe::checkIndex(qint32 index) const
{
    if (index < 0)
        throw AppError(u"Index kleiner 0 angegeben"_s);
    if (index > m_count - 1)
        throw AppError(u"Index groesser Anzahl angegeben"_s);
}
