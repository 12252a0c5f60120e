#include "cataloguetables.h"

using namespace Qt::StringLiterals;

namespace CatalogueTables {

Jet::Column text(const QString &name, int maxLength)
{
    return {name, Jet::ColumnType::Text, maxLength};
}

Jet::Column boolean(const QString &name)
{
    return {name, Jet::ColumnType::Boolean};
}

Jet::Column longInt(const QString &name)
{
    return {name, Jet::ColumnType::Long};
}

Jet::Table verzeichnis(Rows rows)
{
    return {u"Verzeichnis"_s,
            {text(u"KBNr"_s, 8), text(u"Marke"_s), text(u"Pulvermarke"_s),
             text(u"HerstLiefSchl"_s, 10), text(u"ZusatzSchl"_s, 10), text(u"InfoGeberSchl"_s, 10),
             boolean(u"AenderungsFlag"_s)},
            std::move(rows)};
}

namespace {

Jet::Table lookup(const QString &table, const QString &key, const QString &name, Rows rows)
{
    return {table, {text(key, 10), text(name)}, std::move(rows)};
}

} // namespace

Jet::Table infoGeber(Rows rows)
{
    return lookup(u"H-InformationsGeber"_s, u"InfoGeberSchl"_s, u"InfoGeber"_s, std::move(rows));
}

Jet::Table zusatz(Rows rows)
{
    return lookup(u"H-Schweißzusatz"_s, u"ZusatzSchl"_s, u"Zusatz"_s, std::move(rows));
}

Jet::Table hersteller(Rows rows)
{
    return lookup(u"H-HerstellerLieferer"_s, u"HerstLiefSchl"_s, u"HerstellerLieferer"_s,
                  std::move(rows));
}

Jet::Table norvenz(Rows rows)
{
    return {u"norvenz"_s,
            {text(u"Ausgabe"_s, 10), text(u"Teil"_s, 10), text(u"Bezeichnung"_s)},
            std::move(rows)};
}

std::vector<Jet::Table> sample()
{
    return {
        verzeichnis({
            {u"01234.05"_s, u"Fox Öl-Draht"_s, {}, u"BÖH"_s, u"S1"_s, u"TÜO"_s, true},
            {u"00007.00"_s, u"Schweißpulver „Spezial“"_s, u"Pulver 12 €"_s, u"MÜL"_s, u"UP"_s,
             u"DB"_s, false},
            {u"99999.99"_s, u" Marke mit Blanks "_s, u""_s, u"MÜL"_s, u"Z"_s, u"TÜO"_s, true},
        }),
        infoGeber({{u"TÜO"_s, u"Technische Überwachungsorganisation Süd"_s},
                   {u"DB"_s, u"Deutsche Bahn"_s}}),
        zusatz({{u"S1"_s, u"Stabelektrode"_s},
                {u"UP"_s, u"Draht-Pulver-Kombination (UP-Schweißen)"_s},
                {u"Z"_s, {}}}),
        hersteller({{u"MÜL"_s, u"Müller & Söhne Schweißtechnik GmbH"_s},
                    {u"BÖH"_s, u"Böhler Schweißtechnik"_s}}),
        norvenz({{u"2024"_s, u"2"_s, u"Ausgabe Herbst 2024"_s}}),
    };
}

QString write(const QString &path, const std::vector<Jet::Table> &tables, Jet::FileFormat format)
{
    QString error;
    if (Jet::writeDatabase(path, tables, format, &error))
        return {};
    return error.isEmpty() ? u"writing failed"_s : error;
}

} // namespace CatalogueTables
