// The reader's cross-checks: a catalogue written by the Jet writer, one structure patched, must
// give the table's "beschädigt" error where libmdb would read other rows or values without a
// word; and what the checks allow must still read as written. One row per rule, in both
// formats.
#include "catalogue/accesstable.h"
#include "catalogue/cataloguedatabase.h"
#include "catalogue/catalogueloader.h"
#include "catalogue/jetformat.h"
#include "catalogue/tkennblattliste.h"
#include "platform/cp1252.h"

#include "cataloguetables.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace CatalogueTables;
using Jet::Value;

Q_DECLARE_METATYPE(Jet::FileFormat)

namespace {

constexpr int WerteRows = 300; // several data pages in both formats

quint16 u16(const QByteArray &bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return quint32(u16(bytes, at)) | quint32(u16(bytes, at + 2)) << 16;
}

void putU16(QByteArray &bytes, qsizetype at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void putU32(QByteArray &bytes, qsizetype at, quint32 value)
{
    putU16(bytes, at, quint16(value & 0xFFFF));
    putU16(bytes, at + 2, quint16(value >> 16));
}

// A written file and where its structures lie. The writer puts the system catalogue's
// definition on page 2 and each table's definition before its pages; column entries follow the
// definition's fixed block in column order.
struct File
{
    QByteArray bytes;
    const JetFormat &format;

    qsizetype pageSize() const { return format.pageSize; }
    quint32 pageCount() const { return quint32(bytes.size() / pageSize()); }

    // The definition of the n-th table written (0 = the first).
    qsizetype definition(int table) const
    {
        for (quint32 page = 3; page < pageCount(); ++page) {
            if (bytes[page * pageSize()] == 0x02 && table-- == 0)
                return page * pageSize();
        }
        qFatal("no such table definition");
    }
    qsizetype entry(int table, int column) const
    {
        return definition(table) + format.firstEntryOffset + column * format.columnEntrySize;
    }
    // The memo field whose first four bytes hold this length and kind, the first or a later
    // one; there must be no more than `count`.
    qsizetype memoField(quint32 length, quint8 kind, int which = 0, int count = 1) const
    {
        QByteArray head(4, '\0');
        putU32(head, 0, length | quint32(kind) << 24);
        QList<qsizetype> found;
        for (qsizetype at = bytes.indexOf(head, definition(0) + pageSize()); at >= 0;
             at = bytes.indexOf(head, at + 1))
            found.append(at);
        if (found.size() != count)
            qFatal("%d memo fields of length %u instead of %d", int(found.size()), length, count);
        return found[which];
    }
    // Sets a field of table 0's definition: in its fixed block, or in a column's entry.
    void setDefinition(int offset, quint32 value, int size = 2)
    {
        size == 2 ? putU16(bytes, definition(0) + offset, quint16(value))
                  : putU32(bytes, definition(0) + offset, value);
    }
    void setEntry(int column, int JetFormat::ColumnEntry::*field, quint16 value)
    {
        putU16(bytes, entry(0, column) + format.entry.*field, value);
    }
    // The row a page/row pointer names: its offset in the file.
    qsizetype rowOf(quint32 pointer) const
    {
        const qsizetype page = qsizetype(pointer >> 8) * pageSize();
        return page + (u16(bytes, page + format.firstSlotOffset() + 2 * (pointer & 0xFF)) & 0x1FFF);
    }
};

using Patch = std::function<void(File &)>;

// Werte: Nr LONG (fixed at 0), Name and Notiz TEXT (variable 0 and 1), Ja BOOLEAN, Zahl LONG
// (fixed at 4).
Jet::Table werte()
{
    Jet::Table table{u"Werte"_s,
                     {longInt(u"Nr"_s), text(u"Name"_s, 40), text(u"Notiz"_s), boolean(u"Ja"_s),
                      longInt(u"Zahl"_s)},
                     {}};
    for (int i = 0; i < WerteRows; ++i)
        table.rows.push_back({qint32(i), u"Name %1 äöü"_s.arg(i).leftJustified(40, u'x'),
                              i % 3 ? Value(u"Notiz €%1"_s.arg(i)) : Value(), i % 2 == 0,
                              qint32(1000 - i)});
    return table;
}

// Notizen: a memo kept in the row, two of one length on a long-value page, two of one length
// chained over pages.
const QString Short = u"kurz"_s;
const QString OnePage = u"x"_s.repeated(100);
const QString Chained = u"y"_s.repeated(5000);
const QString OnePageToo = u"z"_s.repeated(100);
const QString ChainedToo = u"w"_s.repeated(5000);

Jet::Table notizen()
{
    return {u"Notizen"_s,
            {longInt(u"Nr"_s), {u"Notiz"_s, Jet::ColumnType::Memo}},
            {{qint32(1), Short},
             {qint32(2), OnePage},
             {qint32(3), Chained},
             {qint32(4), {}},
             {qint32(5), OnePageToo},
             {qint32(6), ChainedToo}}};
}

// The stored length of an ASCII text: Jet 4 compresses it behind FF FE.
quint32 storedLength(const File &file, const QString &text)
{
    return quint32(text.size()) + (file.format.textIsUcs2 ? 2 : 0);
}

// The data of each test: a patch and whether the file stays sound, in both formats.
struct DataRows
{
    DataRows()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<Patch>("patch");
    }
    void add(const char *what, bool sound, const Patch &patch) const
    {
        QTest::addRow("Jet 4, %s", what) << Jet::FileFormat::Jet4 << sound << patch;
        QTest::addRow("Jet 3, %s", what) << Jet::FileFormat::Jet3 << sound << patch;
    }
};

} // namespace

class TestCrossChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    // Column entries (jetcolumns.h) and the definition's counts, on Werte. Each damage is
    // placed where no other rule objects to it.
    void columnEntries_data()
    {
        const DataRows rows;
        using E = JetFormat::ColumnEntry;
        rows.add("as written", true, [](File &) {});
        rows.add("column number at the limit", false,
                 [](File &f) { f.setEntry(2, &E::number, 5); });
        rows.add("column number twice", false, [](File &f) { f.setEntry(2, &E::number, 1); });
        rows.add("column number beyond the byte libmdb reads", false, [](File &f) {
            f.setDefinition(f.format.columnNumberLimitOffset(), 300);
            f.setEntry(2, &E::number, 257);
        });
        rows.add("variable index at the count", false,
                 [](File &f) { f.setEntry(2, &E::varIndex, 2); });
        rows.add("variable index twice", false, [](File &f) { f.setEntry(2, &E::varIndex, 0); });
        rows.add("no variable columns counted", false,
                 [](File &f) { f.setDefinition(f.format.variableColumnCountOffset(), 0); });
        rows.add("variable columns counted beyond their indexes", true,
                 [](File &f) { f.setDefinition(f.format.variableColumnCountOffset(), 3); });
        rows.add("TEXT flagged fixed", false, [](File &f) {
            f.bytes[f.entry(0, 1) + f.format.entry.flags] ^= 0x01;
            f.setEntry(1, &E::fixedOffset, 8);
            f.setEntry(1, &E::length, 2);
        });
        rows.add("BOOLEAN not flagged fixed", false, [](File &f) {
            f.bytes[f.entry(0, 3) + f.format.entry.flags] ^= 0x01;
            f.setDefinition(f.format.variableColumnCountOffset(), 3);
            f.setEntry(3, &E::varIndex, 2);
        });
        rows.add("LONG two bytes long", false, [](File &f) { f.setEntry(0, &E::length, 2); });
        rows.add("BOOLEAN two bytes long", false, [](File &f) { f.setEntry(3, &E::length, 2); });
        rows.add("BOOLEAN of length 0, as Jackcess writes it", true,
                 [](File &f) { f.setEntry(3, &E::length, 0); });
        rows.add("TEXT of length 0", false, [](File &f) { f.setEntry(1, &E::length, 0); });
        rows.add("TEXT of 256 characters", false,
                 [](File &f) { f.setEntry(1, &E::length, f.format.textIsUcs2 ? 512 : 256); });
        rows.add("TEXT of 255 characters", true,
                 [](File &f) { f.setEntry(1, &E::length, f.format.textIsUcs2 ? 510 : 255); });
        rows.add("a type neither format knows", false,
                 [](File &f) { f.bytes[f.entry(0, 1)] = 0x0E; });
        rows.add("fixed columns overlapping", false,
                 [](File &f) { f.setEntry(4, &E::fixedOffset, 2); });
    }
    void columnEntries() { verifyRead(werte()); }

    // The usage map must list every page of the table that holds rows, and libmdb must deliver
    // as many rows as the definition counts, except where it counts none (a file not closed
    // properly).
    void pagesAndRowCount_data()
    {
        const DataRows rows;
        // The writer's free-space map lists the last data page only.
        const auto mapToFreeSpaceMap = [](File &f) {
            f.setDefinition(f.format.usageMapOffset,
                            u32(f.bytes, f.definition(0) + f.format.usageMapOffset + 4), 4);
        };
        const auto countRows = [](quint32 rows) {
            return [rows](File &f) {
                f.setDefinition(f.format.definitionRowCountOffset, rows, 4);
            };
        };
        rows.add("map pointer names the free-space map", false, mapToFreeSpaceMap);
        rows.add("map pointer names the free-space map, no rows counted", false, [=](File &f) {
            mapToFreeSpaceMap(f);
            countRows(0)(f);
        });
        rows.add("one row more counted", false, countRows(WerteRows + 1));
        rows.add("one row fewer counted", false, countRows(WerteRows - 1));
        rows.add("no rows counted", true, countRows(0));
    }
    void pagesAndRowCount() { verifyRead(werte()); }

    // Memo fields (jetmemo.h), on Notizen.
    void memoValues_data()
    {
        const DataRows rows;
        const auto inRow = [](File &f) {
            return f.memoField(storedLength(f, Short), 0x80);
        };
        const auto onePage = [](File &f) {
            return f.memoField(storedLength(f, OnePage), 0x40, 0, 2);
        };
        const auto onePageToo = [](File &f) {
            return f.memoField(storedLength(f, OnePageToo), 0x40, 1, 2);
        };
        const auto chained = [](File &f) {
            return f.memoField(storedLength(f, Chained), 0, 0, 2);
        };
        const auto chainedToo = [](File &f) {
            return f.memoField(storedLength(f, ChainedToo), 0, 1, 2);
        };
        const auto changeLength = [](qsizetype (*field)(File &), int change) {
            return [field, change](File &f) {
                const qsizetype at = field(f);
                f.bytes[at] = char(f.bytes[at] + change);
            };
        };
        rows.add("as written", true, [](File &) {});
        rows.add("length of a value in the row one more", false, changeLength(inRow, 1));
        rows.add("length of a value in the row one less", false, changeLength(inRow, -1));
        rows.add("unused pointer of a value in the row", true,
                 [=](File &f) { putU32(f.bytes, inRow(f) + 4, 0x12345678); });
        rows.add("length of a value on a long-value page one less", false,
                 changeLength(onePage, -1));
        rows.add("length of a chained value one more", false, changeLength(chained, 1));
        rows.add("length of a chained value one less", false, changeLength(chained, -1));
        rows.add("kind of both top bits", false,
                 [=](File &f) { f.bytes[onePage(f) + 3] = char(0xC0); });
        rows.add("pointer beyond the file", false,
                 [=](File &f) { putU32(f.bytes, onePage(f) + 4, (f.pageCount() + 3) << 8); });
        rows.add("pointer to a page of rows", false, [=](File &f) {
            const qsizetype field = onePage(f);
            putU32(f.bytes, field + 4, quint32(field / f.pageSize()) << 8);
        });
        rows.add("pointer to a row its page does not count", false, [=](File &f) {
            const quint32 page = u32(f.bytes, onePage(f) + 4) >> 8;
            putU16(f.bytes, page * f.pageSize() + f.format.rowCountOffset, 0);
        });
        rows.add("long-value page marked as a definition", false, [=](File &f) {
            const quint32 page = u32(f.bytes, onePage(f) + 4) >> 8;
            f.bytes[page * f.pageSize()] = 0x02;
        });
        rows.add("long-value page of another owner", false, [=](File &f) {
            const quint32 page = u32(f.bytes, onePage(f) + 4) >> 8;
            f.bytes[page * f.pageSize() + 7] = 'X';
        });
        rows.add("chain piece pointing to itself", false, [=](File &f) {
            const quint32 first = u32(f.bytes, chained(f) + 4);
            putU32(f.bytes, f.rowOf(first), first);
        });
        // Its row cut to the 4 bytes of a pointer to itself: a loop that adds no bytes.
        rows.add("chain of a piece without bytes pointing to itself", false, [=](File &f) {
            const qsizetype field = onePage(f);
            const quint32 pointer = u32(f.bytes, field + 4);
            const qsizetype page = qsizetype(pointer >> 8) * f.pageSize();
            putU16(f.bytes, page + f.format.firstSlotOffset(), quint16(f.pageSize() - 4));
            putU32(f.bytes, page + f.pageSize() - 4, pointer);
            putU32(f.bytes, field, 10);
        });
        // Its row cut to 2 bytes, shorter than the pointer to the next piece.
        rows.add("chain piece shorter than its pointer", false, [=](File &f) {
            const qsizetype field = onePage(f);
            const qsizetype page = qsizetype(u32(f.bytes, field + 4) >> 8) * f.pageSize();
            putU16(f.bytes, page + f.format.firstSlotOffset(), quint16(f.pageSize() - 2));
            putU32(f.bytes, field, 10);
        });
        rows.add("pointer to another value's row of the same length", false, [=](File &f) {
            putU32(f.bytes, onePage(f) + 4, u32(f.bytes, onePageToo(f) + 4));
        });
        rows.add("chain starting on another value's chain of the same length", false, [=](File &f) {
            putU32(f.bytes, chained(f) + 4, u32(f.bytes, chainedToo(f) + 4));
        });
        rows.add("chain going on after its last piece", false, [=](File &f) {
            quint32 piece = u32(f.bytes, chained(f) + 4);
            while (u32(f.bytes, f.rowOf(piece)) != 0)
                piece = u32(f.bytes, f.rowOf(piece));
            putU32(f.bytes, f.rowOf(piece), u32(f.bytes, onePage(f) + 4));
        });
    }
    void memoValues() { verifyRead(notizen()); }

    // The catalogue's six text columns hold texts, TEXT or MEMO (Pulvermarke is written as
    // MEMO): a TEXT column whose type byte reads MEMO must not come out empty, nor one that
    // reads LONG come out as a number.
    void catalogueTextColumns_data()
    {
        const DataRows rows;
        using E = JetFormat::ColumnEntry;
        rows.add("as written", true, [](File &) {});
        rows.add("Marke reads MEMO", false, [](File &f) { f.bytes[f.entry(0, 1)] = 0x0C; });
        rows.add("Marke reads LONG", false, [](File &f) {
            f.bytes[f.entry(0, 1)] = 0x04;
            f.bytes[f.entry(0, 1) + f.format.entry.flags] = 0x03;
            f.setEntry(1, &E::length, 4);
            f.setEntry(1, &E::fixedOffset, 0);
        });
    }
    void catalogueTextColumns()
    {
        QFETCH(Jet::FileFormat, format);
        QFETCH(Patch, patch);
        QFETCH(bool, sound);
        std::vector<Jet::Table> tables = sample();
        tables[0].columns[2].type = Jet::ColumnType::Memo;
        const QString path = patched(tables, format, patch);
        CatalogueDatabase database;
        database.SetConnectionString(
            CatalogueDatabase::ConnectionString(Cp1252::fromUnicode(m_dir.path())));
        TKennblattListe catalogue;
        const QString error = errorOf([&] { LoadCatalogue(database, catalogue); });
        QCOMPARE(error, sound ? QString() : tableDamaged(u"Verzeichnis"_s, path));
        QCOMPARE(catalogue.Count(), sound ? 3 : 0);
        if (sound) {
            QCOMPARE(catalogue.Get(1).Marke, Cp1252::fromUnicode(u"Schweißpulver „Spezial“"));
            QCOMPARE(catalogue.Get(1).Pulvermarke, Cp1252::fromUnicode(u"Pulver 12 €"));
        }
    }

private:
    // The data row's file: `table` written in its format and patched. Every row must read as
    // written, or the table must be found damaged.
    void verifyRead(const Jet::Table &table)
    {
        QFETCH(Jet::FileFormat, format);
        QFETCH(bool, sound);
        QFETCH(Patch, patch);
        const QString path = patched({table}, format, patch);
        QCOMPARE(readAll(path, table), sound ? QString() : tableDamaged(table.name, path));
    }

    // Writes `tables` as the catalogue file, patched; returns its path.
    QString patched(const std::vector<Jet::Table> &tables, Jet::FileFormat format,
                    const Patch &patch)
    {
        const QString path = m_dir.filePath(u"Norvenz SZW Kennblätter.mde"_s);
        if (const QString problem = write(path, tables, format); !problem.isEmpty())
            qFatal("%s", qPrintable(problem));
        File file{readFile(path), format == Jet::FileFormat::Jet3 ? Jet3Format : Jet4Format};
        patch(file);
        writeFile(path, file.bytes);
        return path;
    }

    // Reads every row of `table` from the file; the error raised, or a description of the first
    // value that differs from what was written, or an empty string.
    static QString readAll(const QString &path, const Jet::Table &written)
    {
        QString problem;
        const QString error = errorOf([&] {
            const auto file = AccessFile::open(path);
            AccessTable table(*file, Cp1252::fromUnicode(written.name), u"tbl"_s);
            std::size_t row = 0;
            for (; !table.Eof(); table.Next(), ++row) {
                for (int c = 0; c < written.columns.size() && problem.isEmpty(); ++c) {
                    const Value &value = written.rows.at(row)[std::size_t(c)];
                    const QByteArray name = Cp1252::fromUnicode(written.columns[c].name);
                    const QByteArray expected = std::holds_alternative<bool>(value) ? QByteArray()
                                                : std::holds_alternative<qint32>(value)
                                                    ? QByteArray::number(std::get<qint32>(value))
                                                : std::holds_alternative<QString>(value)
                                                    ? Cp1252::fromUnicode(std::get<QString>(value))
                                                    : QByteArray();
                    const bool same = std::holds_alternative<bool>(value)
                                          ? table.TruthValue(name) == std::get<bool>(value)
                                          : table.Text(name) == expected;
                    if (!same)
                        problem = u"row %1, column %2 differs"_s.arg(row).arg(c);
                }
            }
            if (problem.isEmpty() && row != written.rows.size())
                problem = u"%1 rows read"_s.arg(row);
        });
        return error.isEmpty() ? problem : error;
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCrossChecks)
#include "tst_crosschecks.moc"
