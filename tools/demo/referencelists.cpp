// The reference documents made from the catalogue's own data: the cover sheet, the list of
// manufacturers and the three lists of data sheets.

#include "tools/demo/demoreferences.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/documentstyle.h"
#include "tools/demo/documenttext.h"
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

// A list of data sheets in the given order, with a group heading wherever `heading`
// changes (none while it is empty).
bool writeSheetList(const Catalogue &catalogue, const QString &document,
                    const QList<const DataSheet *> &sheets,
                    const std::function<QString(const DataSheet &)> &heading, const QString &path,
                    QString *error)
{
    const DocumentText text = documentText(document, documentValues(catalogue),
                                           {u"number"_s, u"brand"_s, u"flux"_s, u"maker"_s,
                                            u"kind"_s, u"organisation"_s, u"changed"_s});
    PagedTable table = text.table();
    QString lastHeading;
    for (const DataSheet *s : sheets) {
        const QString group = heading(*s);
        if (group != lastHeading && !group.isEmpty())
            table.addGroup(group);
        lastHeading = group;
        table.addRow(text.cells([&](const QString &field) -> QString {
            if (field == u"number"_s)
                return s->number();
            if (field == u"brand"_s)
                return s->brand;
            if (field == u"flux"_s)
                return s->fluxBrand;
            if (field == u"maker"_s)
                return catalogue.manufacturerOf(*s).key;
            if (field == u"kind"_s)
                return catalogue.kindOf(*s).key;
            if (field == u"organisation"_s)
                return catalogue.organisationOf(*s).key;
            return s->changed ? u"**"_s : QString();
        }));
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

} // namespace

bool writeCoverSheet(const Catalogue &catalogue, const QString &path, QString *error)
{
    const Data::Values values = documentValues(catalogue);
    const Data::Record text = documentRecord(u"coverSheet"_s);
    const auto filled = [&](QStringView key) {
        return text.value(key).text(values);
    };
    PdfCanvas canvas(path, filled(u"title"));
    if (!canvas.opened(error))
        return false;
    const QColor gold(0xc8, 0x9b, 0x3c);
    canvas.fill(QRectF(0, 0, PdfCanvas::PageWidth, 112), Brand);
    canvas.fill(QRectF(0, 112, PdfCanvas::PageWidth, 1.5), gold);
    const QList<Data::Value> lines = text.value(u"lines").items(3);
    canvas.text(MarginLeft, 40, lines[0].text(), font(30, true), Qt::white);
    canvas.text(MarginLeft, 54, lines[1].text(), font(17), Qt::white);
    canvas.text(MarginLeft, 63, lines[2].text(), font(17), Qt::white);
    canvas.text(MarginLeft, 88, filled(u"edition"), font(16, true), gold);
    canvas.text(MarginLeft, 96, filled(u"stand"), font(10), QColor(0xd5, 0xdd, 0xe8));

    // The figures of this edition in four boxes.
    const QList<Data::Value> captions = text.value(u"figures").items(4);
    const QStringList figures = {values.value(u"anzahl"_s), values.value(u"geaendert"_s),
                                 QString::number(catalogue.manufacturers.size()),
                                 QString::number(catalogue.organisations.size())};
    const double boxWidth = (ContentWidth - 3 * 4) / 4;
    for (qsizetype i = 0; i < figures.size(); ++i) {
        const double x = MarginLeft + double(i) * (boxWidth + 4);
        canvas.fill(QRectF(x, 124, boxWidth, 22), BrandLight);
        canvas.text(x + 3, 135, figures[i], font(15, true), Brand);
        canvas.text(x + 3, 142, captions[i].text(), font(7.5), Muted);
    }

    double y = drawSectionHeading(canvas, 156, filled(u"contentsHeading"));
    const QFont body = font(9);
    for (const QString &line : text.value(u"contents").texts()) {
        canvas.text(MarginLeft + 1, y + canvas.ascent(body), u"•"_s, body, Brand);
        y += canvas.paragraph(MarginLeft + 5, y, ContentWidth - 5, line, body) + 1.0;
    }

    y = drawSectionHeading(canvas, y + 4, filled(u"usageHeading"));
    y += canvas.paragraph(MarginLeft, y, ContentWidth, filled(u"usage"), body) + 3;
    QStringList organisations;
    for (const Organisation &o : catalogue.organisations)
        organisations.append(o.key + u" = "_s + o.name + u", "_s + o.city);
    canvas.text(MarginLeft, y + canvas.ascent(font(8.5, true)), filled(u"organisationsHeading"),
                font(8.5, true), Brand);
    y += 5;
    canvas.paragraph(MarginLeft, y, ContentWidth, organisations.join(u'\n'), font(8.5));

    drawFooter(canvas, filled(u"footer"), 1, 1);
    text.finish();
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

    const DocumentText text = documentText(u"manufacturerList"_s, documentValues(catalogue),
                                           {u"key"_s, u"name"_s, u"address"_s, u"sheets"_s});
    PagedTable table = text.table();
    QChar letter;
    for (int i : std::as_const(order)) {
        const Manufacturer &m = catalogue.manufacturers[i];
        const QChar first = m.name.at(0).toUpper();
        if (first != letter) {
            letter = first;
            table.addGroup(QString(letter));
        }
        table.addRow(text.cells([&](const QString &field) -> QString {
            if (field == u"key"_s)
                return m.key;
            if (field == u"name"_s)
                return m.name;
            if (field == u"address"_s)
                return m.street + u", "_s + m.postcode + u' ' + m.city;
            return QString::number(counts[i]);
        }));
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
    return writeSheetList(
        catalogue, u"listByBrand"_s, sheets, [](const DataSheet &) { return QString(); }, path,
        error);
}

bool writeListByManufacturer(const Catalogue &catalogue, const QString &path, QString *error)
{
    QList<const DataSheet *> sheets = sheetsByNumber(catalogue);
    const QCollator collator = germanCollator();
    std::stable_sort(sheets.begin(), sheets.end(), [&](const DataSheet *a, const DataSheet *b) {
        return collator.compare(catalogue.manufacturerOf(*a).name,
                                catalogue.manufacturerOf(*b).name) < 0;
    });
    return writeSheetList(
        catalogue, u"listByManufacturer"_s, sheets,
        [&catalogue](const DataSheet &s) {
            const Manufacturer &m = catalogue.manufacturerOf(s);
            return u"%1 – %2, %3"_s.arg(m.key, m.name, m.city);
        },
        path, error);
}

bool writeListByNumber(const Catalogue &catalogue, const QString &path, QString *error)
{
    return writeSheetList(
        catalogue, u"listByNumber"_s, sheetsByNumber(catalogue),
        [](const DataSheet &) { return QString(); }, path, error);
}

} // namespace Demo
