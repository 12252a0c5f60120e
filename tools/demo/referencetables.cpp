// The translation table and the stamp list of the stick electrodes.

#include "tools/demo/demoreferences.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/demonames.h"
#include "tools/demo/demorandom.h"
#include "tools/demo/documenttext.h"

#include <QCollator>
#include <QLocale>
#include <QMap>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

// The first letter a German index files a word under: umlauts with their base letter.
QChar indexLetter(const QString &word)
{
    const QChar first = word.at(0).toUpper();
    switch (first.unicode()) {
    case u'Ä':
        return u'A';
    case u'Ö':
        return u'O';
    case u'Ü':
        return u'U';
    default:
        return first;
    }
}

} // namespace

bool writeTranslationTable(const Catalogue &catalogue, const QString &path, QString *error)
{
    const QStringList languages = {u"de"_s, u"en"_s, u"fr"_s};
    QList<Data::Row> rows = Data::table(u"terms.csv"_s, languages).rows;
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&collator](const Data::Row &a, const Data::Row &b) {
        return collator.compare(a.text(u"de"), b.text(u"de")) < 0;
    });
    const DocumentText text =
        documentText(u"translationTable"_s, documentValues(catalogue), languages);
    PagedTable table = text.table();
    QChar letter;
    for (const Data::Row &row : std::as_const(rows)) {
        const QString german = row.text(u"de");
        if (german.isEmpty())
            row.fail(u"no German term"_s);
        if (indexLetter(german) != letter) {
            letter = indexLetter(german);
            table.addGroup(QString(letter));
        }
        table.addRow(text.cells([&row](const QString &field) { return row.text(field); }));
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

bool writeStampList(const Catalogue &catalogue, const QString &path, QString *error)
{
    // One stamp per electrode brand, on the sheet with the lowest number: the maker's key,
    // the brand's stem shortened and its grade part, as pressed into the covering.
    QMap<QString, const DataSheet *> brands;
    for (const DataSheet &sheet : catalogue.sheets) {
        if (catalogue.kindOf(sheet).process != Process::Electrode)
            continue;
        const auto it = brands.constFind(sheet.brand);
        if (it == brands.cend() || std::pair(sheet.mainNumber, sheet.subNumber) <
                                       std::pair((*it)->mainNumber, (*it)->subNumber))
            brands.insert(sheet.brand, &sheet);
    }
    struct Stamp
    {
        QString stamp;
        QString colour;
        const DataSheet *sheet;
    };
    QList<Stamp> stamps;
    for (const DataSheet *sheet : std::as_const(brands)) {
        const Manufacturer &maker = catalogue.manufacturerOf(*sheet);
        QString stamp = sheet->brand;
        for (const QString &stem : maker.stems) {
            if (stamp.contains(stem))
                stamp.replace(stem, stem.left(4));
        }
        DemoRandom random = DemoRandom::forPart(catalogue.seed, quint64(sheet->mainNumber));
        stamps.append({(maker.key + u' ' + stamp.simplified()).toUpper(),
                       random.pick(Names::words(Names::Words::StampColour)), sheet});
    }
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setNumericMode(true);
    std::stable_sort(stamps.begin(), stamps.end(), [&collator](const Stamp &a, const Stamp &b) {
        return collator.compare(a.stamp, b.stamp) < 0;
    });

    const DocumentText text =
        documentText(u"stampList"_s, documentValues(catalogue),
                     {u"stamp"_s, u"colour"_s, u"brand"_s, u"number"_s, u"maker"_s});
    PagedTable table = text.table();
    for (const Stamp &s : std::as_const(stamps)) {
        table.addRow(text.cells([&](const QString &field) -> QString {
            if (field == u"stamp"_s)
                return s.stamp;
            if (field == u"colour"_s)
                return s.colour;
            if (field == u"brand"_s)
                return s.sheet->brand;
            if (field == u"number"_s)
                return s.sheet->number();
            return catalogue.manufacturerOf(*s.sheet).name;
        }));
    }
    if (stamps.isEmpty())
        table.addParagraph(text.empty);
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

} // namespace Demo
