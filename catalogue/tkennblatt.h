#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>

// One data sheet. Texts are Windows-1252 bytes exactly as read from the catalogue.
class TKennblatt
{
public:
    QByteArray Marke;
    QByteArray Pulvermarke;
    QByteArray HerstLiefSchl;
    QByteArray ZusatzSchl;
    QByteArray InfoGeberSchl;
    // 1 = unchanged in this edition, 2 = changed.
    quint8 AenderungsFlag = 0;

    qint32 Hauptnummer() const { return m_hauptnummer; }
    qint32 Unternummer() const { return m_unternummer; }
    void SetHauptnummer(qint32 value);
    void SetUnternummer(qint32 value);

    // The number as five digits, ".", two digits, for example "01234.05".
    QByteArray GetNummer() const { return nummerView().toByteArray(); }
    // The same text without a copy; filtering and sorting read it for every record.
    QByteArrayView nummerView() const { return {m_nummer.data(), NummerLength}; }
    // Reads "main.sub"; raises AppError "Nummer im falschen Format übergeben." when either
    // part is not a whole decimal number (Hauptnummer keeps a main part read before that).
    void SetNummer(QByteArrayView text);

    static constexpr qsizetype NummerLength = 8;

private:
    void updateNummer();

    qint32 m_hauptnummer = 0;
    qint32 m_unternummer = 0;
    std::array<char, NummerLength> m_nummer{'0', '0', '0', '0', '0', '.', '0', '0'};
};
