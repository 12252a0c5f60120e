#include "tools/jetwriter/jetwriter.h"

#include "platform/savefile.h"
#include "tools/jetwriter/datapagewriter.h"
#include "tools/jetwriter/headerpage.h"
#include "tools/jetwriter/longvaluewriter.h"
#include "tools/jetwriter/rowencoder.h"
#include "tools/jetwriter/systemcatalog.h"
#include "tools/jetwriter/tabledef.h"
#include "tools/jetwriter/usagemap.h"

#include <QSaveFile>
#include <QSet>

using namespace Qt::StringLiterals;

namespace Jet {

namespace {

constexpr int MaxNameLength = 64; // Access's limit for table and column names
constexpr int MaxColumns = 255;   // readers take the column number from one byte

// Names as Access accepts them; readers look tables and columns up by them.
QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return u"a name must not be empty"_s;
    if (name.size() > MaxNameLength)
        return u"\"%1\" is longer than %2 characters"_s.arg(name).arg(MaxNameLength);
    if (name.front() == u' ')
        return u"\"%1\" starts with a blank"_s.arg(name);
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.isSurrogate() || u".!`[]"_s.contains(c))
            return u"\"%1\" contains a character Access does not allow in names"_s.arg(name);
    }
    return {};
}

// Checks what does not depend on the values; those are checked row by row.
bool layoutTable(const Table &table, TableLayout &layout, QString *error)
{
    const Format::Traits &traits = *layout.traits;
    const auto fail = [&](const QString &why) {
        *error = u"table \"%1\": %2"_s.arg(table.name, why);
        return false;
    };
    if (table.columns.isEmpty())
        return fail(u"a table needs at least one column"_s);
    if (table.columns.size() > MaxColumns)
        return fail(u"more than %1 columns"_s.arg(MaxColumns));

    QSet<QString> seen;
    for (const Column &column : table.columns) {
        if (QString why = nameProblem(column.name); !why.isEmpty())
            return fail(u"column name "_s % why);
        if (!columnNameIsStorable(column.name, traits))
            return fail(u"column name \"%1\" has a character without a Windows-1252 form"_s.arg(
                column.name));
        // Access and libmdb match names without regard to letter case.
        if (const QString key = column.name.toLower(); !seen.contains(key))
            seen.insert(key);
        else
            return fail(u"column \"%1\" appears twice"_s.arg(column.name));

        switch (column.type) {
        case ColumnType::Text:
            if (column.maxLength < 1 || column.maxLength > MaxTextLength)
                return fail(
                    u"column \"%1\": TEXT length %2 is not between 1 and %3"_s.arg(column.name)
                        .arg(column.maxLength)
                        .arg(MaxTextLength));
            layout.addColumn(column.name, Format::TypeCode::Text, quint16(column.maxLength));
            break;
        case ColumnType::Boolean:
            layout.addColumn(column.name, Format::TypeCode::Boolean);
            break;
        case ColumnType::Long:
            layout.addColumn(column.name, Format::TypeCode::Long);
            break;
        case ColumnType::Memo:
            layout.addColumn(column.name, Format::TypeCode::Memo);
            break;
        }
    }
    if (tableDefinitionSize(layout) > traits.pageSize)
        return fail(u"the definition does not fit on one page (too many columns or long names)"_s);
    return true;
}

bool checkTableNames(const std::vector<Table> &tables, const Format::Traits &traits, QString *error)
{
    QSet<QString> seen;
    for (const Table &table : tables) {
        if (QString why = nameProblem(table.name); !why.isEmpty()) {
            *error = u"table name "_s % why;
            return false;
        }
        // Table names are texts of the system catalogue.
        if (!columnNameIsStorable(table.name, traits)) {
            *error =
                u"table name \"%1\" has a character without a Windows-1252 form"_s.arg(table.name);
            return false;
        }
        if (table.name.startsWith(u"MSys"_s, Qt::CaseInsensitive)) {
            *error = u"table name \"%1\": names starting with MSys belong to Jet"_s.arg(table.name);
            return false;
        }
        if (const QString key = table.name.toLower(); !seen.contains(key)) {
            seen.insert(key);
        } else {
            *error = u"table \"%1\" appears twice"_s.arg(table.name);
            return false;
        }
    }
    return true;
}

struct PlacedTable
{
    quint32 definitionPage = 0;
    quint32 firstDataPage = 0;
    quint32 dataPageCount = 0;
    quint32 rowCount = 0;
};

bool tooLarge(const PageImage &image, QString *error, quint32 morePages = 0)
{
    const Format::Traits &traits = image.traits();
    if (image.pageCount() + quint64(morePages) <= traits.maxPages)
        return false;
    *error = u"the database would exceed %1 GiB, the limit of a Jet %2 file"_s
                 .arg(traits.maxPages * quint64(traits.pageSize) >> 30)
                 .arg(traits.isJet3() ? 3 : 4);
    return true;
}

// Appends the table's long-value pages, then its data pages. The rows are packed on pages of
// their own while the long values they point to are written, so that the data pages end up
// one contiguous range, as the usage map lists them.
bool writeRows(PageImage &image, const QString &tableName, const TableLayout &layout,
               const std::vector<std::vector<Value>> &rows, PlacedTable &placed, QString *error)
{
    LongValueWriter longValues(image);
    RowEncoder encoder(layout, longValues);
    PageImage rowPages(image.traits());
    DataPageWriter pages(rowPages, placed.definitionPage);
    QByteArray row;
    row.reserve(image.traits().maxRowSize() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QString why;
        if (!encoder.encode(rows[i], row, &why)) {
            *error = u"table \"%1\", row %2: %3"_s.arg(tableName).arg(i + 1).arg(why);
            return false;
        }
        pages.addRow(row);
        if (tooLarge(image, error, rowPages.pageCount()))
            return false;
    }
    placed.firstDataPage = image.append(rowPages);
    placed.dataPageCount = pages.pageCount();
    placed.rowCount = quint32(rows.size());
    return !tooLarge(image, error);
}

// Lays the file out as: header, a page of usage maps, the catalogue's definition, each user
// table's definition followed by its data pages, the catalogue's data pages, then bitmap
// pages and further usage-map pages as needed. Readers reach everything through pointers.
bool buildImage(const std::vector<Table> &tables, PageImage &image, QString *error)
{
    const Format::Traits &traits = image.traits();
    if (!checkTableNames(tables, traits, error))
        return false;
    std::vector<TableLayout> layouts(tables.size(), TableLayout(traits));
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (!layoutTable(tables[i], layouts[i], error))
            return false;
    }

    image.allocate(3);
    const quint32 firstMapPage = 1;
    std::vector<PlacedTable> placed(tables.size());
    std::vector<CatalogEntry> entries;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        placed[i].definitionPage = image.allocate();
        if (!writeRows(image, tables[i].name, layouts[i], tables[i].rows, placed[i], error))
            return false;
        entries.push_back({tables[i].name, placed[i].definitionPage});
    }

    const TableLayout catalogLayout = systemCatalogLayout(traits);
    PlacedTable catalog;
    catalog.definitionPage = SystemCatalogPage;
    if (!writeRows(image, u"MSysObjects"_s, catalogLayout, systemCatalogRows(entries), catalog,
                   error))
        return false;

    DataPageWriter mapPages(image, 0, firstMapPage);
    const auto writeDefinition = [&](const TableLayout &layout, const PlacedTable &table,
                                     TableKind kind) {
        TableDefinition def;
        def.kind = kind;
        def.rowCount = table.rowCount;
        def.usedPagesMap =
            mapPages.addRow(buildUsageMap(image, table.firstDataPage, table.dataPageCount));
        // Only the last page may have room left; readers merely resolve this pointer.
        const bool empty = table.dataPageCount == 0;
        def.freeSpaceMap = mapPages.addRow(buildUsageMap(
            image, empty ? 0 : table.firstDataPage + table.dataPageCount - 1, empty ? 0 : 1));
        writeTableDefinition(image.page(table.definitionPage), layout, def);
    };
    writeDefinition(catalogLayout, catalog, TableKind::System);
    for (std::size_t i = 0; i < tables.size(); ++i)
        writeDefinition(layouts[i], placed[i], TableKind::User);

    writeHeaderPage(image.page(0), traits);
    return !tooLarge(image, error);
}

bool saveImage(const QString &path, const PageImage &image, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(image.data(), qint64(image.size())) == qint64(image.size()) &&
        commitSaveFile(file))
        return true;
    *error = u"cannot write %1: %2"_s.arg(path, file.errorString());
    return false;
}

} // namespace

bool writeDatabase(const QString &path, const std::vector<Table> &tables, QString *error)
{
    return writeDatabase(path, tables, FileFormat::Jet4, error);
}

bool writeDatabase(const QString &path, const std::vector<Table> &tables, FileFormat format,
                   QString *error)
{
    PageImage image(Format::traits(format));
    QString reason;
    if (buildImage(tables, image, &reason) && saveImage(path, image, &reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

} // namespace Jet
