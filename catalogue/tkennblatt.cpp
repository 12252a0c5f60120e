#include "catalogue/tkennblatt.h"

#include "platform/apperror.h"
#include "platform/decimalnumber.h"

using namespace Qt::StringLiterals;

namespace {

// Writes the last `width` characters of "0...0" + decimal text of value into out.
void writeLastDigits(char *out, qsizetype width, qint32 value)
{
    char buffer[16];
    char *end = buffer + sizeof buffer;
    char *p = end;
    auto magnitude = value < 0 ? -static_cast<qint64>(value) : static_cast<qint64>(value);
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = '-';
    for (qsizetype i = width - 1; i >= 0; --i)
        out[i] = (p < end) ? *--end : '0';
}

} // namespace

void TKennblatt::SetHauptnummer(qint32 value)
{
    m_hauptnummer = value;
    updateNummer();
}

void TKennblatt::SetUnternummer(qint32 value)
{
    m_unternummer = value;
    updateNummer();
}

void TKennblatt::SetNummer(QByteArrayView text)
{
    const qsizetype dot = text.indexOf('.');
    const QByteArrayView mainText = dot < 0 ? QByteArrayView() : text.first(dot);
    const QByteArrayView subText = dot < 0 ? text : text.sliced(dot + 1);
    qint32 number = 0;
    if (!parseDecimalInt32(mainText, number))
        throw AppError(u"Nummer im falschen Format übergeben."_s);
    SetHauptnummer(number);
    if (!parseDecimalInt32(subText, number))
        throw AppError(u"Nummer im falschen Format übergeben."_s);
    SetUnternummer(number);
}

void TKennblatt::updateNummer()
{
    writeLastDigits(m_nummer.data(), 5, m_hauptnummer);
    m_nummer[5] = '.';
    writeLastDigits(m_nummer.data() + 6, 2, m_unternummer);
}
