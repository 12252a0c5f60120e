// The reference documents made from the catalogue's own data: the cover sheet, the list of
// manufacturers and the three lists of data sheets.

#include "tools/demo/demoreferences.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/documentstyle.h"
#include "tools/demo/pagedtable.h"
#include "tools/demo/pdfcanvas.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace DocumentStyle;

namespace Demo {

namespace {

// Sorted the way a German reader looks things up: letter case and accents aside.
QCollator germanCollator()
{
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

QList<const DataSheet *> sheetsByNumber(const Catalogue &catalogue)
{
    QList<const DataSheet *> sheets;
    for (const DataSheet &sheet : catalogue.sheets)
        sheets.append(&sheet);
    std::sort(sheets.begin(), sheets.end(), [](const DataSheet *a, const DataSheet *b) {
        return std::pair(a->mainNumber, a->subNumber) < std::pair(b->mainNumber, b->subNumber);
    });
    return sheets;
}

QString changeMark(const DataSheet &sheet)
{
    return sheet.changed ? u"**"_s : QString();
}

QString longNumber(int n)
{
    return QLocale(QLocale::German, QLocale::Germany).toString(n);
}

int changedCount(const Catalogue &catalogue)
{
    return int(std::count_if(catalogue.sheets.begin(), catalogue.sheets.end(),
                             [](const DataSheet &s) { return s.changed; }));
}

QString listIntro(const Catalogue &catalogue)
{
    return u"Die Liste enthält alle %1 Kennblätter der %2. Die Spalten Herst./Lief., "
           u"Zusatz-Art und TÜO nennen die Schlüssel der Hersteller bzw. Lieferer, der Arten "
           u"von Schweißzusätzen und der Prüfstellen; ihre Bedeutung steht im Verzeichnis der "
           u"Hersteller/Lieferer und auf dem Deckblatt. Mit ** gekennzeichnete Kennblätter "
           u"wurden gegenüber der Vorausgabe geändert (%3 Kennblätter)."_s.arg(
               longNumber(int(catalogue.sheets.size())), catalogue.edition.label,
               longNumber(changedCount(catalogue)));
}

} // namespace

bool writeCoverSheet(const Catalogue &catalogue, const QString &path, QString *error)
{
    PdfCanvas canvas(path, u"Deckblatt – "_s + catalogue.edition.label);
    if (!canvas.isOpen()) {
        if (error)
            *error = u"cannot create %1"_s.arg(path);
        return false;
    }
    const QColor gold(0xc8, 0x9b, 0x3c);
    canvas.fill(QRectF(0, 0, PdfCanvas::PageWidth, 112), Brand);
    canvas.fill(QRectF(0, 112, PdfCanvas::PageWidth, 1.5), gold);
    canvas.text(MarginLeft, 40, u"NORVENZ SZW"_s, font(30, true), Qt::white);
    canvas.text(MarginLeft, 54, u"Kennblätter für eignungsgeprüfte"_s, font(17), Qt::white);
    canvas.text(MarginLeft, 63, u"Schweißzusätze"_s, font(17), Qt::white);
    canvas.text(MarginLeft, 88, catalogue.edition.label, font(16, true), gold);
    canvas.text(MarginLeft, 96, u"Stand "_s + catalogue.edition.text(), font(10),
                QColor(0xd5, 0xdd, 0xe8));

    // The figures of this edition in four boxes.
    const QList<std::pair<QString, QString>> figures = {
        {longNumber(int(catalogue.sheets.size())), u"Kennblätter"_s},
        {longNumber(changedCount(catalogue)), u"davon geändert"_s},
        {QString::number(catalogue.manufacturers.size()), u"Hersteller und Lieferer"_s},
        {QString::number(catalogue.organisations.size()), u"Prüfstellen (TÜO)"_s},
    };
    const double boxWidth = (ContentWidth - 3 * 4) / 4;
    for (qsizetype i = 0; i < figures.size(); ++i) {
        const double x = MarginLeft + double(i) * (boxWidth + 4);
        canvas.fill(QRectF(x, 124, boxWidth, 22), BrandLight);
        canvas.text(x + 3, 135, figures[i].first, font(15, true), Brand);
        canvas.text(x + 3, 142, figures[i].second, font(7.5), Muted);
    }

    double y = drawSectionHeading(canvas, 156, u"Inhalt dieser Ausgabe"_s);
    const QStringList contents = {
        u"Kennblätter der eignungsgeprüften Schweißzusätze, je Kennblatt eine Datei"_s,
        u"Verzeichnis der Hersteller und Lieferer"_s,
        u"Kennblattlisten, geordnet nach Markenbezeichnung, nach Hersteller/Lieferer und nach "
        u"Kennblatt-Nummer"_s,
        u"Übersetzungstabelle Deutsch – Englisch – Französisch"_s,
        u"Prägeliste der Stabelektroden"_s,
        u"Gruppeneinteilung der Stähle mit Einzelangaben zu ferritischen und austenitischen "
        u"Stählen"_s,
    };
    const QFont body = font(9);
    for (const QString &line : contents) {
        canvas.text(MarginLeft + 1, y + canvas.ascent(body), u"•"_s, body, Brand);
        y += canvas.paragraph(MarginLeft + 5, y, ContentWidth - 5, line, body) + 1.0;
    }

    y = drawSectionHeading(canvas, y + 4, u"Zur Benutzung"_s);
    y += canvas.paragraph(
             MarginLeft, y, ContentWidth,
             u"Jedes Kennblatt beschreibt einen Schweißzusatz, dessen Eignung eine der unten "
             u"genannten Prüfstellen festgestellt hat. Die Kennblatt-Nummer besteht aus der "
             u"fünfstelligen Hauptnummer und der zweistelligen Unternummer (zum Beispiel "
             u"01234.05); Unternummern unterscheiden Varianten desselben Erzeugnisses, etwa "
             u"andere Pulverkombinationen oder Nachprüfungen. Kennblätter, die gegenüber der "
             u"Vorausgabe geändert wurden, sind in den Listen mit ** gekennzeichnet."_s,
             body) +
         3;
    QStringList organisations;
    for (const Organisation &o : catalogue.organisations)
        organisations.append(o.key + u" = "_s + o.name + u", "_s + o.city);
    canvas.text(MarginLeft, y + canvas.ascent(font(8.5, true)), u"Prüfstellen (TÜO)"_s,
                font(8.5, true), Brand);
    y += 5;
    canvas.paragraph(MarginLeft, y, ContentWidth, organisations.join(u'\n'), font(8.5));

    drawFooter(canvas,
               u"Herausgegeben von Norvenz SZW. Nachdruck, auch auszugsweise, nur mit "
               u"Genehmigung des Herausgebers."_s,
               {}, 1, 1);
    return canvas.finish(error);
}

bool writeManufacturerList(const Catalogue &catalogue, const QString &path, QString *error)
{
    QList<int> counts(catalogue.manufacturers.size(), 0);
    for (const DataSheet &sheet : catalogue.sheets)
        ++counts[sheet.manufacturer];
    QList<int> order;
    for (int i = 0; i < catalogue.manufacturers.size(); ++i)
        order.append(i);
    const QCollator collator = germanCollator();
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return collator.compare(catalogue.manufacturers[a].name, catalogue.manufacturers[b].name) <
               0;
    });

    PagedTable table(u"Verzeichnis der Hersteller und Lieferer"_s,
                     u"alphabetisch nach Firmennamen, mit Schlüssel und Anzahl der Kennblätter"_s,
                     {{u"Schlüssel"_s, 18, true},
                      {u"Hersteller / Lieferer"_s, 70},
                      {u"Anschrift"_s, 62},
                      {u"Kennblätter"_s, 24, true}});
    table.addParagraph(u"Der Schlüssel erscheint in der Spalte Herst./Lief. der Kennblattlisten "
                       u"und des Programms; die Auswahlliste des Filters zeigt Schlüssel und "
                       u"Namen nebeneinander."_s);
    QChar letter;
    for (int i : std::as_const(order)) {
        const Manufacturer &m = catalogue.manufacturers[i];
        const QChar first = m.name.at(0).toUpper();
        if (first != letter) {
            letter = first;
            table.addGroup(QString(letter));
        }
        table.addRow({m.key, m.name, m.street + u", "_s + m.postcode + u' ' + m.city,
                      QString::number(counts[i])});
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

bool writeListByBrand(const Catalogue &catalogue, const QString &path, QString *error)
{
    QList<const DataSheet *> sheets = sheetsByNumber(catalogue);
    const QCollator collator = germanCollator();
    std::stable_sort(sheets.begin(), sheets.end(), [&](const DataSheet *a, const DataSheet *b) {
        const int byBrand = collator.compare(a->brand, b->brand);
        return byBrand != 0 ? byBrand < 0 : collator.compare(a->fluxBrand, b->fluxBrand) < 0;
    });
    PagedTable table(u"Kennblattliste, geordnet nach Markenbezeichnung"_s, catalogue.edition.label,
                     {{u"Marke"_s, 52},
                      {u"Pulver"_s, 44},
                      {u"Kennblatt-Nr."_s, 21, true},
                      {u"Herst./Lief."_s, 18, true},
                      {u"Zusatz-Art"_s, 16, true},
                      {u"TÜO"_s, 13, true},
                      {u"Änd."_s, 10, true}});
    table.addParagraph(listIntro(catalogue));
    for (const DataSheet *s : std::as_const(sheets)) {
        table.addRow({s->brand, s->fluxBrand, s->number(), catalogue.manufacturerOf(*s).key,
                      catalogue.kindOf(*s).key, catalogue.organisationOf(*s).key, changeMark(*s)});
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

bool writeListByManufacturer(const Catalogue &catalogue, const QString &path, QString *error)
{
    QList<const DataSheet *> sheets = sheetsByNumber(catalogue);
    const QCollator collator = germanCollator();
    std::stable_sort(sheets.begin(), sheets.end(), [&](const DataSheet *a, const DataSheet *b) {
        return collator.compare(catalogue.manufacturerOf(*a).name,
                                catalogue.manufacturerOf(*b).name) < 0;
    });
    PagedTable table(u"Kennblattliste, geordnet nach Hersteller/Lieferer"_s,
                     catalogue.edition.label,
                     {{u"Kennblatt-Nr."_s, 22, true},
                      {u"Marke"_s, 56},
                      {u"Pulver"_s, 48},
                      {u"Zusatz-Art"_s, 18, true},
                      {u"TÜO"_s, 16, true},
                      {u"Änd."_s, 14, true}});
    table.addParagraph(listIntro(catalogue));
    int current = -1;
    for (const DataSheet *s : std::as_const(sheets)) {
        if (s->manufacturer != current) {
            current = s->manufacturer;
            const Manufacturer &m = catalogue.manufacturers[current];
            table.addGroup(u"%1 – %2, %3"_s.arg(m.key, m.name, m.city));
        }
        table.addRow({s->number(), s->brand, s->fluxBrand, catalogue.kindOf(*s).key,
                      catalogue.organisationOf(*s).key, changeMark(*s)});
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

bool writeListByNumber(const Catalogue &catalogue, const QString &path, QString *error)
{
    PagedTable table(u"Kennblattliste, geordnet nach Kennblatt-Nummer"_s, catalogue.edition.label,
                     {{u"Kennblatt-Nr."_s, 21, true},
                      {u"Marke"_s, 52},
                      {u"Pulver"_s, 44},
                      {u"Herst./Lief."_s, 18, true},
                      {u"Zusatz-Art"_s, 16, true},
                      {u"TÜO"_s, 13, true},
                      {u"Änd."_s, 10, true}});
    table.addParagraph(listIntro(catalogue));
    for (const DataSheet *s : sheetsByNumber(catalogue)) {
        table.addRow({s->number(), s->brand, s->fluxBrand, catalogue.manufacturerOf(*s).key,
                      catalogue.kindOf(*s).key, catalogue.organisationOf(*s).key, changeMark(*s)});
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

} // namespace Demo
