// The steel group tables: the overview of the groups and the details of ferritic and
// austenitic steels, each with the consumables of this edition that suit them.

#include "tools/demo/demoreferences.h"

#include "tools/demo/democatalogue.h"
#include "tools/demo/demogrades.h"
#include "tools/demo/documenttext.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

// Up to three data sheets of different products (lowest numbers first) whose designation
// contains `pattern`.
QString examples(const Catalogue &catalogue, const QString &pattern)
{
    QList<const DataSheet *> matches;
    for (const DataSheet &sheet : catalogue.sheets) {
        const Grade &grade = gradesOf(catalogue.kindOf(sheet))[sheet.grade];
        for (const auto &designation : grade.designations) {
            if (designation.second.contains(pattern)) {
                matches.append(&sheet);
                break;
            }
        }
    }
    std::sort(matches.begin(), matches.end(), [](const DataSheet *a, const DataSheet *b) {
        return std::pair(a->mainNumber, a->subNumber) < std::pair(b->mainNumber, b->subNumber);
    });
    QStringList numbers;
    int lastMain = -1;
    for (const DataSheet *sheet : std::as_const(matches)) {
        if (sheet->mainNumber == lastMain)
            continue; // one per product: its variants would say nothing new
        lastMain = sheet->mainNumber;
        numbers.append(sheet->number());
        if (numbers.size() == 3)
            break;
    }
    return numbers.isEmpty() ? u"–"_s : numbers.join(u", "_s);
}

// A table of steels from `file`, grouped by their category, each with example data sheets.
bool writeSteelDetails(const Catalogue &catalogue, const QString &document, const QString &file,
                       const QString &path, QString *error)
{
    const QStringList columns = {u"number"_s,     u"name"_s,    u"standard"_s, u"group"_s,
                                 u"consumable"_s, u"pattern"_s, u"note"_s,     u"category"_s};
    const DocumentText text =
        documentText(document, documentValues(catalogue), columns + QStringList{u"sheets"_s});
    PagedTable table = text.table();
    QString lastCategory;
    for (const Data::Row &steel : Data::table(file, columns).rows) {
        if (steel.text(u"pattern").isEmpty())
            steel.fail(u"no pattern to find suitable data sheets by"_s);
        if (steel.text(u"category") != lastCategory) {
            lastCategory = steel.text(u"category");
            table.addGroup(lastCategory);
        }
        table.addRow(text.cells([&](const QString &field) -> QString {
            return field == u"sheets"_s ? examples(catalogue, steel.text(u"pattern"))
                                        : steel.text(field);
        }));
    }
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

} // namespace

bool writeSteelGroups(const Catalogue &catalogue, const QString &path, QString *error)
{
    const QStringList columns = {u"group"_s, u"limits"_s, u"consumables"_s};
    const DocumentText text = documentText(u"steelGroups"_s, documentValues(catalogue), columns);
    PagedTable table = text.table();
    // A group's own line has a number without a point; its subgroups follow it.
    for (const Data::Row &row : Data::table(u"steelgroups.csv"_s, columns).rows) {
        const QString group = row.text(u"group");
        if (!group.contains(u'.')) {
            table.addGroup(u"Gruppe %1: %2"_s.arg(group, row.text(u"limits")));
            continue;
        }
        table.addRow(text.cells([&row](const QString &field) {
            const QString cell = row.text(field);
            return cell.isEmpty() ? u"–"_s : cell;
        }));
    }
    table.addParagraph(text.outro);
    return table.write(path, catalogue.edition.label, catalogue.edition.footer(), error);
}

bool writeFerriticSteels(const Catalogue &catalogue, const QString &path, QString *error)
{
    return writeSteelDetails(catalogue, u"ferriticSteels"_s, u"ferriticsteels.csv"_s, path, error);
}

bool writeAusteniticSteels(const Catalogue &catalogue, const QString &path, QString *error)
{
    return writeSteelDetails(catalogue, u"austeniticSteels"_s, u"austeniticsteels.csv"_s, path,
                             error);
}

} // namespace Demo
