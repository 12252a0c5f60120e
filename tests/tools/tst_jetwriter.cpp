#include "tools/jetwriter/jettext.h"
#include "tools/jetwriter/jetwriter.h"

#include "mdbcheck.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;
using Jet::Value;

Q_DECLARE_METATYPE(Jet::Table)
Q_DECLARE_METATYPE(Jet::FileFormat)

namespace {

Jet::Column textColumn(const QString &name, int maxLength = Jet::MaxTextLength)
{
    return {name, Jet::ColumnType::Text, maxLength};
}

Jet::Column booleanColumn(const QString &name)
{
    return {name, Jet::ColumnType::Boolean};
}

Jet::Column longColumn(const QString &name)
{
    return {name, Jet::ColumnType::Long};
}

// What mdb-export prints for a value.
QString exported(const Value &value)
{
    if (const auto *text = std::get_if<QString>(&value))
        return *text;
    if (const auto *flag = std::get_if<bool>(&value))
        return *flag ? u"1"_s : u"0"_s;
    if (const auto *number = std::get_if<qint32>(&value))
        return QString::number(*number);
    return {};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The output of an mdbtools command that must succeed silently on stderr.
QString toolOutput(const QString &program, const QStringList &arguments)
{
    const MdbCheck::ToolRun run = MdbCheck::runTool(program, arguments);
    if (run.exitCode != 0 || !run.err.isEmpty())
        return u"FAILED: "_s + QString::fromUtf8(run.err);
    return QString::fromUtf8(run.out);
}

// The format of the test's pass.
Jet::FileFormat format()
{
    QFETCH_GLOBAL(Jet::FileFormat, format);
    return format;
}

bool jet3()
{
    return format() == Jet::FileFormat::Jet3;
}

void write(const QString &path, const std::vector<Jet::Table> &tables)
{
    QString error;
    QVERIFY2(Jet::writeDatabase(path, tables, format(), &error), qPrintable(error));
}

// mdb-export prints every row, in order, as written; mdb-count agrees.
void verifyExport(const QString &path, const Jet::Table &table)
{
    QList<QStringList> rows;
    QString problem;
    QVERIFY2(MdbCheck::exportRows(path, table.name, rows, &problem), qPrintable(problem));
    QCOMPARE(rows.size(), qsizetype(table.rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QStringList expected;
        for (const Value &value : table.rows[std::size_t(i)])
            expected.append(exported(value));
        if (rows[i] != expected)
            QFAIL(qPrintable(u"row %1: got [%2], wrote [%3]"_s.arg(i).arg(rows[i].join(u'|'),
                                                                          expected.join(u'|'))));
    }
    QCOMPARE(toolOutput(u"mdb-count"_s, {path, table.name}),
             QString::number(table.rows.size()) + u'\n');
}

// The five tables the viewer reads, with the awkward values they may hold.
std::vector<Jet::Table> catalogueTables()
{
    Jet::Table verzeichnis{
        u"Verzeichnis"_s,
        {textColumn(u"KBNr"_s, 8), textColumn(u"Marke"_s, 60), textColumn(u"Pulvermarke"_s, 60),
         textColumn(u"HerstLiefSchl"_s, 10), textColumn(u"ZusatzSchl"_s, 10),
         textColumn(u"InfoGeberSchl"_s, 10), booleanColumn(u"AenderungsFlag"_s)},
        {
            {u"01234.05"_s, u"Fox Öl-Draht"_s, {}, u"MÜL"_s, u"S1"_s, u"TÜO"_s, true},
            {u"00007.00"_s, u"Schweißpulver „Spezial“"_s, u"Pulver 12 €"_s, u"MÜL"_s, u"UP"_s,
             u"DB"_s, false},
            {u"99999.99"_s, u" Marke mit Blanks "_s, u""_s, u"L–1"_s, u"Z"_s, u"TÜO"_s, true},
        }};
    Jet::Table infoGeber{
        u"H-InformationsGeber"_s,
        {textColumn(u"InfoGeberSchl"_s, 10), textColumn(u"InfoGeber"_s, 80)},
        {{u"TÜO"_s, u"Technische Überwachungsorganisation Süd"_s}, {u"DB"_s, u"Deutsche Bahn"_s}}};
    Jet::Table zusatz{u"H-Schweißzusatz"_s,
                      {textColumn(u"ZusatzSchl"_s, 10), textColumn(u"Zusatz"_s, 80)},
                      {{u"S1"_s, u"Stabelektrode"_s},
                       {u"UP"_s, u"Draht-Pulver-Kombination (UP-Schweißen)"_s},
                       {u"Z"_s, {}}}};
    Jet::Table hersteller{
        u"H-HerstellerLieferer"_s,
        {textColumn(u"HerstLiefSchl"_s, 10), textColumn(u"HerstellerLieferer"_s, 120)},
        {{u"MÜL"_s, u"Müller & Söhne Schweißtechnik GmbH, Düsseldorf"_s},
         {u"L–1"_s, u"Lieferant \"Eins\"\tmit Tab"_s}}};
    Jet::Table norvenz{
        u"norvenz"_s,
        {textColumn(u"Ausgabe"_s, 10), textColumn(u"Teil"_s, 10), textColumn(u"Bezeichnung"_s)},
        {{u"2024"_s, u"2"_s, u"Ausgabe Herbst 2024"_s}}};
    return {verzeichnis, infoGeber, zusatz, hersteller, norvenz};
}

// `rows` data sheets with numbers in row order; every third has no flux brand. Brands and flux
// brands are padded to `width` characters.
Jet::Table verzeichnis(int rows, int width = 0)
{
    Jet::Table table = catalogueTables().front();
    table.rows.clear();
    table.rows.reserve(std::size_t(rows));
    for (int i = 0; i < rows; ++i) {
        const QString number =
            u"%1.%2"_s.arg(i / 100, 5, 10, QChar(u'0')).arg(i % 100, 2, 10, QChar(u'0'));
        table.rows.push_back(
            {number, u"Marke %1 äöü"_s.arg(i).leftJustified(width, u'x'),
             i % 3 == 0 ? Value() : Value(u"Pulver %1"_s.arg(i % 7).leftJustified(width, u'x')),
             u"H%1"_s.arg(i % 50), u"Z%1"_s.arg(i % 9), u"IG%1"_s.arg(i % 4), i % 2 == 0});
    }
    return table;
}

} // namespace

class TestJetWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each test writes and reads back both formats.
    void initTestCase_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::newRow("Jet 4") << Jet::FileFormat::Jet4;
        QTest::newRow("Jet 3") << Jet::FileFormat::Jet3;
    }
    void init() { QVERIFY(m_dir.isValid()); }

    void catalogueTablesReadBack()
    {
        const QString path = m_dir.filePath(u"katalog.mdb"_s);
        const std::vector<Jet::Table> tables = catalogueTables();
        write(path, tables);

        QCOMPARE(toolOutput(u"mdb-ver"_s, {path}), jet3() ? u"JET3\n"_s : u"JET4\n"_s);
        QCOMPARE(toolOutput(u"mdb-tables"_s, {u"-1"_s, path}),
                 u"Verzeichnis\nH-InformationsGeber\nH-Schweißzusatz\nH-HerstellerLieferer\n"
                 u"norvenz\n"_s);
        for (const Jet::Table &table : tables) {
            verifyExport(path, table);
            if (QTest::currentTestFailed())
                return;
        }
        const QString schema = toolOutput(u"mdb-schema"_s, {path});
        QVERIFY2(schema.contains(u"[KBNr]\t\t\tText (8)"_s), qPrintable(schema));
        QVERIFY2(schema.contains(u"[AenderungsFlag]\t\t\tBoolean NOT NULL"_s), qPrintable(schema));
        QVERIFY2(schema.contains(u"CREATE TABLE [H-Schweißzusatz]"_s), qPrintable(schema));
    }

    // The viewer's path: tables looked up by name (ASCII case does not matter to libmdb),
    // columns bound by name.
    void catalogueThroughLibmdb()
    {
        const QString path = m_dir.filePath(u"katalog.mdb"_s);
        write(path, catalogueTables());
        QList<MdbCheck::LibmdbRow> rows;
        QString problem;
        QVERIFY2(MdbCheck::readWithLibmdb(path, u"verzeichnis"_s,
                                          {u"KBNr"_s, u"Pulvermarke"_s, u"aenderungsflag"_s}, rows,
                                          &problem),
                 qPrintable(problem));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].values, (QStringList{u"01234.05"_s, {}, u"1"_s}));
        QCOMPARE(rows[1].values, (QStringList{u"00007.00"_s, u"Pulver 12 €"_s, u"0"_s}));
        QCOMPARE(rows[2].values, (QStringList{u"99999.99"_s, {}, u"1"_s}));
        // Binding shows NULL and "" alike; the row itself keeps them apart.
        QCOMPARE(rows[0].isNull[1], true);
        QCOMPARE(rows[2].isNull[1], false);

        QVERIFY2(MdbCheck::readWithLibmdb(path, u"h-schweißzusatz"_s,
                                          {u"ZusatzSchl"_s, u"Zusatz"_s}, rows, &problem),
                 qPrintable(problem));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1].values.last(), u"Draht-Pulver-Kombination (UP-Schweißen)"_s);
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("windows1252"); // Jet 3 stores only such texts
        QTest::newRow("empty") << u""_s << true;
        QTest::newRow("two characters") << u"ab"_s << true;
        QTest::newRow("umlauts and sharp s") << u"äöüÄÖÜß"_s << true;
        QTest::newRow("euro at end") << u"123 €"_s << true;
        QTest::newRow("euro first") << u"€ 1234"_s << true;
        QTest::newRow("en dash and quotes") << u"Draht – „Fülldraht“"_s << true;
        QTest::newRow("A with macron cannot compress") << u"Ā"_s << false;
        QTest::newRow("U+0100 among umlauts") << u"äöüĀäöü"_s << false;
        QTest::newRow("blanks kept") << u"  Marke  "_s << true;
        QTest::newRow("tab and line breaks") << u"a\tb\nc\r\nd\\"_s << true;
        QTest::newRow("narrow runs between wide") << u"abcdef€x€xy€xyz€ab"_s << true;
        QTest::newRow("byte-order mark first") << u"\uFEFFabc"_s << false;
        QTest::newRow("byte-order mark alone") << u"\uFEFF"_s << false;
        QTest::newRow("undefined in Windows-1252") << u"a\u0081"_s << false;
        QTest::newRow("255 mixed characters") << u"äöü€ß"_s.repeated(51) << true;
    }
    void textRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(bool, windows1252);
        const QString path = m_dir.filePath(u"text.mdb"_s);
        const Jet::Table table{u"Texte"_s,
                               {longColumn(u"Nr"_s), textColumn(u"Wert"_s)},
                               {{qint32(1), text}, {qint32(2), {}}}};
        if (jet3() && !windows1252) {
            QString error;
            QVERIFY(!Jet::writeDatabase(path, {table}, format(), &error));
            QVERIFY2(error.contains(u"has no Windows-1252 form"_s), qPrintable(error));
            return;
        }
        write(path, {table});
        verifyExport(path, table);

        QList<MdbCheck::LibmdbRow> rows;
        QString problem;
        QVERIFY2(MdbCheck::readWithLibmdb(path, u"Texte"_s, {u"Wert"_s}, rows, &problem),
                 qPrintable(problem));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].values.front(), text);
        QCOMPARE(rows[0].isNull.front(), false);
        QCOMPARE(rows[1].isNull.front(), true);
    }

    // Jet 3 keeps a row's offsets in single bytes and the high parts in a jump table with an
    // entry per 256-byte boundary, plus a filler entry when the trailer itself crosses one.
    // Rows whose data ends at every length from 0 to 900 bytes cover each case.
    void rowLengthsAcrossJumpBoundaries()
    {
        Jet::Table table{u"Zeilen"_s,
                         {longColumn(u"Nr"_s), textColumn(u"A"_s), textColumn(u"B"_s),
                          booleanColumn(u"F"_s), textColumn(u"C"_s)},
                         {}};
        for (int length = 0; length <= 900; ++length) {
            const int a = qMin(length, 255);
            const int b = qMin(length - a, 255);
            const int c = qMin(length - a - b, 255);
            table.rows.push_back({qint32(length), u"a"_s.repeated(a),
                                  b == 0 ? Value() : Value(u"ö"_s.repeated(b)), length % 2 == 0,
                                  u"c"_s.repeated(c)});
        }
        const QString path = m_dir.filePath(u"zeilen.mdb"_s);
        write(path, {table});
        verifyExport(path, table);
    }

    // The stored form. Jet 4: compressed only when strictly shorter, with the fewest mode
    // switches. Jet 3: Windows-1252 bytes. A null expectation means the text is refused (and
    // nothing is appended).
    void textEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("jet4");
        QTest::addColumn<QByteArray>("jet3");
        const QByteArray refused;
        QTest::newRow("empty is no bytes") << u""_s << QByteArray("") << QByteArray("");
        QTest::newRow("two letters stay plain")
            << u"ab"_s << QByteArray("a\0b\0", 4) << QByteArray("ab");
        QTest::newRow("umlauts") << u"äöü"_s << QByteArray("\xFF\xFE\xE4\xF6\xFC")
                                 << QByteArray("\xE4\xF6\xFC");
        QTest::newRow("euro after") << u"123 €"_s
                                    << QByteArray("\xFF\xFE"
                                                  "123 \0\xAC\x20",
                                                  9)
                                    << QByteArray("123 \x80");
        QTest::newRow("euro before") << u"€ 1234"_s << QByteArray("\xFF\xFE\0\xAC\x20\0 1234", 11)
                                     << QByteArray("\x80 1234");
        QTest::newRow("two narrow stay wide") << u"abcdef€xy€"_s
                                              << QByteArray("\xFF\xFE"
                                                            "abcdef\0\xAC\x20x\0y\0\xAC\x20",
                                                            17)
                                              << QByteArray("abcdef\x80xy\x80");
        QTest::newRow("three narrow switch") << u"abcdef€xyz€"_s
                                             << QByteArray("\xFF\xFE"
                                                           "abcdef\0\xAC\x20\0xyz\0\xAC\x20",
                                                           18)
                                             << QByteArray("abcdef\x80xyz\x80");
        QTest::newRow("one narrow at end stays wide") << u"abcdef€x"_s
                                                      << QByteArray("\xFF\xFE"
                                                                    "abcdef\0\xAC\x20x\0",
                                                                    13)
                                                      << QByteArray("abcdef\x80x");
        QTest::newRow("two narrow at end switch") << u"abcdef€xy"_s
                                                  << QByteArray("\xFF\xFE"
                                                                "abcdef\0\xAC\x20\0xy",
                                                                14)
                                                  << QByteArray("abcdef\x80xy");
        QTest::newRow("compressed not shorter") << u"€abc€"_s
                                                << QByteArray("\xAC\x20"
                                                              "a\0b\0c\0\xAC\x20",
                                                              10)
                                                << QByteArray("\x80"
                                                              "abc\x80");
        QTest::newRow("low byte zero forces plain")
            << u"abcĀ"_s << QByteArray("a\0b\0c\0\0\x01", 8) << refused;
        QTest::newRow("byte-order mark must compress")
            << u"\uFEFF"_s << QByteArray("\xFF\xFE\0\xFF\xFE", 5) << refused;
        QTest::newRow("last of Windows-1252")
            << u"ÿŸž"_s << QByteArray("\xFF\0x\x01~\x01", 6) << QByteArray("\xFF\x9F\x9E");
        QTest::newRow("undefined in Windows-1252")
            << u"a\u0081"_s << QByteArray("a\0\x81\0", 4) << refused;
        QTest::newRow("U+0000") << QString(QChar(0)) << refused << refused;
        QTest::newRow("pair outside the BMP") << u"Schweiß 😀"_s << refused << refused;
        QTest::newRow("lone surrogate") << QString(QChar(0xDC00)) << refused << refused;
        QTest::newRow("byte-order mark and U+0100") << u"\uFEFFĀ"_s << refused << refused;
    }
    void textEncoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, jet4);
        QFETCH(QByteArray, jet3);
        const QByteArray bytes = ::jet3() ? jet3 : jet4;
        QByteArray out("prefix");
        QString error;
        const bool stored = ::jet3() ? Jet::appendJet3Text(out, text, &error)
                                     : Jet::appendJetText(out, text, &error);
        QCOMPARE(stored, !bytes.isNull());
        QCOMPARE(out, QByteArray("prefix") + bytes);
        QCOMPARE(error.isEmpty(), stored);
    }

    // MEMO values by their stored size: up to 64 bytes in the row, then one row on a long-value
    // page while it fits a page beside a 4-byte pointer, then a chain of rows of a page each
    // (pointer and piece). mdb-export, with libmdb's own memo reader, reads them back.
    void memoRoundTrip_data()
    {
        QTest::addColumn<QString>("character"); // repeated to the stored size
        QTest::addColumn<int>("pieces");        // the stored size: so many rows of a page ...
        QTest::addColumn<int>("bytes");         // ... and so many bytes
        QTest::addColumn<int>("longValuePages");
        QTest::newRow("64 bytes in the row") << u"x"_s << 0 << 64 << 0;
        QTest::newRow("65 bytes on a long-value page") << u"x"_s << 0 << 65 << 1;
        QTest::newRow("a page's row") << u"x"_s << 1 << 0 << 1;
        QTest::newRow("one byte more: a chain of two") << u"x"_s << 1 << 1 << 2;
        QTest::newRow("a chain of three") << u"x"_s << 3 << 0 << 3;
        // Jet 4 keeps these as two bytes each, switching out of the one-byte form.
        QTest::newRow("euro signs over two pages") << u"€"_s << 1 << 2 << 2;
    }
    void memoRoundTrip()
    {
        QFETCH(QString, character);
        QFETCH(int, pieces);
        QFETCH(int, bytes);
        QFETCH(int, longValuePages);
        const int storedSize = pieces * (jet3() ? 2032 : 4076) + bytes;
        // Jet 4 stores ASCII letters compressed: the mark FF FE and a byte each.
        const bool compressed = !jet3() && character == u"x"_s;
        const int characters = compressed ? storedSize - 2 : jet3() ? storedSize : storedSize / 2;
        const QString text = character.repeated(characters);
        const Jet::Table table{u"Notizen"_s,
                               {longColumn(u"Nr"_s), {u"Notiz"_s, Jet::ColumnType::Memo}},
                               {{qint32(1), text}, {qint32(2), {}}, {qint32(3), u"Öl"_s}}};
        const QString path = m_dir.filePath(u"memo.mdb"_s);
        write(path, {table});
        verifyExport(path, table);
        QCOMPARE(MdbCheck::pageCensus(path).longValuePages, longValuePages);
    }

    // NULL and 0, NULL and "" differ in the row; both BOOLEAN states and a null mask of more
    // than one byte.
    void numbersNullsAndBooleans()
    {
        Jet::Table table{u"Werte"_s, {longColumn(u"Zahl"_s), textColumn(u"Text"_s)}, {}};
        for (int i = 1; i <= 9; ++i)
            table.columns.append(booleanColumn(u"B%1"_s.arg(i)));
        const auto row = [](Value number, Value text, int flags) {
            std::vector<Value> values{std::move(number), std::move(text)};
            for (int bit = 0; bit < 9; ++bit)
                values.emplace_back(bool(flags & (1 << bit)));
            return values;
        };
        table.rows = {row(std::numeric_limits<qint32>::min(), u"min"_s, 0x1FF),
                      row(std::numeric_limits<qint32>::max(), u"max"_s, 0x000),
                      row(qint32(0), u""_s, 0x100), row(qint32(-1), {}, 0x0FF), row({}, {}, 0x155)};
        const QString path = m_dir.filePath(u"werte.mdb"_s);
        write(path, {table});
        verifyExport(path, table);

        QList<MdbCheck::LibmdbRow> rows;
        QString problem;
        QVERIFY2(MdbCheck::readWithLibmdb(path, u"Werte"_s, {u"Zahl"_s, u"Text"_s}, rows, &problem),
                 qPrintable(problem));
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[2].isNull, (QList<bool>{false, false}));
        QCOMPARE(rows[3].isNull, (QList<bool>{false, true}));
        QCOMPARE(rows[4].isNull, (QList<bool>{true, true}));
    }

    // An inline usage map reaches 512 pages in Jet 4 and 1,024 in Jet 3.
    void manyRows_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("bitmapPages");
        QTest::newRow("one page") << 40 << 0 << 0;
        QTest::newRow("inline map over many pages") << 10000 << 0 << 0;
        QTest::newRow("page-based map") << 18000 << 60 << 1;
    }
    void manyRows()
    {
        QFETCH(int, rowCount);
        QFETCH(int, width);
        QFETCH(int, bitmapPages);
        const QString path = m_dir.filePath(u"viele.mdb"_s);
        const Jet::Table table = verzeichnis(rowCount, width);
        Jet::Table empty{u"Leer"_s, {textColumn(u"A"_s)}, {}};
        write(path, {empty, table, catalogueTables()[1]});
        verifyExport(path, table);
        QCOMPARE(MdbCheck::pageCensus(path).bitmapPages, bitmapPages);

        // libmdb walks the pages upwards, so rows come back in the order written.
        QList<MdbCheck::LibmdbRow> rows;
        QString problem;
        QVERIFY2(MdbCheck::readWithLibmdb(path, u"Verzeichnis"_s, {u"KBNr"_s}, rows, &problem),
                 qPrintable(problem));
        QCOMPARE(rows.size(), rowCount);
        for (qsizetype i = 1; i < rows.size(); ++i)
            QVERIFY(rows[i - 1].page <= rows[i].page);
        QCOMPARE(rows.last().values.front(), exported(table.rows.back().front()));
    }

    // Jet puts at most 255 rows on a page (row numbers in pointers are one byte), however
    // small they are.
    void tinyRowsStopAt255PerPage()
    {
        Jet::Table table{u"Flags"_s, {booleanColumn(u"F"_s)}, {}};
        for (int i = 0; i < 1000; ++i)
            table.rows.push_back({i % 3 == 0});
        const QString path = m_dir.filePath(u"flags.mdb"_s);
        write(path, {table});
        verifyExport(path, table);
        QCOMPARE(MdbCheck::pageCensus(path).maxRowsOnPage, 255);
    }

    // A table whose pages cross into the second bitmap page's range: a table of one row per
    // page fills the file up to 500 pages before it, and the table read after it, too long for
    // an inline map, holds 1,100 pages. Jet 3 gets there at page 16,352 with a file of 34 MB;
    // Jet 4 would take the same path of the writer at page 32,736, in a file of 134 MB.
    void mapAcrossTwoBitmapPages()
    {
        if (!jet3())
            QSKIP("the same path as Jet 3 in a file four times as large");
        const QString wide = u"x"_s.repeated(255); // four fill half a Jet 3 page
        Jet::Table filler{u"Fuellung"_s, {}, {}};
        for (int i = 0; i < 4; ++i)
            filler.columns.append(textColumn(u"T%1"_s.arg(i)));
        filler.rows.assign(15800, {wide, wide, wide, wide});
        Jet::Table table = filler;
        table.name = u"Gross"_s;
        table.columns.prepend(longColumn(u"Nr"_s));
        table.rows.clear();
        for (int i = 0; i < 1100; ++i)
            table.rows.push_back({qint32(i), wide, wide, wide, wide});
        const QString path = m_dir.filePath(u"gross.mdb"_s);
        write(path, {filler, table});
        QCOMPARE(MdbCheck::pageCensus(path).bitmapPages, 3); // one of the filler, two of Gross

        QList<MdbCheck::LibmdbRow> rows;
        QString problem;
        QVERIFY2(MdbCheck::readWithLibmdb(path, u"Gross"_s, {u"Nr"_s}, rows, &problem),
                 qPrintable(problem));
        QCOMPARE(rows.size(), 1100);
        QVERIFY(rows.first().page < 16352 && rows.last().page >= 16352);
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(rows[i].values.front(), QString::number(i));
        // mdb-export walks the same map and must not fall back to scanning (it would warn).
        const MdbCheck::ToolRun run = MdbCheck::runTool(u"mdb-export"_s, {path, u"Gross"_s}, false);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QFile::remove(path);
    }

    void emptyTablesAndDatabase()
    {
        const QString path = m_dir.filePath(u"leer.mdb"_s);
        write(path, {});
        QCOMPARE(toolOutput(u"mdb-tables"_s, {u"-1"_s, path}), QString());
        QCOMPARE(toolOutput(u"mdb-tables"_s, {u"-1"_s, u"-S"_s, path}), u"MSysObjects\n"_s);

        const Jet::Table empty{u"H-InformationsGeber"_s,
                               {textColumn(u"InfoGeberSchl"_s), textColumn(u"InfoGeber"_s)},
                               {}};
        write(path, {empty});
        verifyExport(path, empty);
        QCOMPARE(toolOutput(u"mdb-tables"_s, {u"-1"_s, path}), u"H-InformationsGeber\n"_s);
    }

    // Each table has two usage maps; 40 tables need more than the first page of maps.
    void fortyTables()
    {
        std::vector<Jet::Table> tables;
        QString names;
        for (int i = 0; i < 40; ++i) {
            tables.push_back({u"Tabelle %1"_s.arg(i), {longColumn(u"Nr"_s)}, {{qint32(i)}}});
            names += tables.back().name + u'\n';
        }
        const QString path = m_dir.filePath(u"vierzig.mdb"_s);
        write(path, tables);
        QCOMPARE(toolOutput(u"mdb-tables"_s, {u"-1"_s, path}), names);
        verifyExport(path, tables.back());
    }

    void writeErrors_data()
    {
        QTest::addColumn<Jet::Table>("table");
        QTest::addColumn<QString>("message");
        const auto oneColumn = [](Jet::Column column, Value value) {
            return Jet::Table{u"T"_s, {std::move(column)}, {{u"ok"_s}, {std::move(value)}}};
        };
        QTest::newRow("text too long")
            << oneColumn(textColumn(u"KBNr"_s, 2), u"abc"_s)
            << u"table \"T\", row 2: column \"KBNr\" (TEXT(2)): a text of 3 characters is too long"_s;
        QTest::newRow("boolean in TEXT") << oneColumn(textColumn(u"A"_s), true)
                                         << u"column \"A\" (TEXT(255)): cannot take a boolean"_s;
        Jet::Table longTable{u"T"_s, {longColumn(u"N"_s)}, {{u"12"_s}}};
        QTest::newRow("text in LONG")
            << longTable << u"row 1: column \"N\" (LONG): cannot take a text"_s;
        QTest::newRow("NULL BOOLEAN")
            << Jet::Table{u"T"_s, {booleanColumn(u"F"_s)}, {{true}, {Value()}}}
            << u"row 2: column \"F\" (BOOLEAN): cannot be NULL"_s;
        Jet::Table shortRow{u"T"_s, {textColumn(u"A"_s), textColumn(u"B"_s)}, {{u"a"_s}}};
        QTest::newRow("too few values")
            << shortRow << u"row 1: the row has 1 values for 2 columns"_s;
        Jet::Table big{u"T"_s, {}, {}};
        big.rows.resize(1);
        for (int i = 0; i < 16; ++i) {
            big.columns.append(textColumn(u"C%1"_s.arg(i)));
            big.rows[0].emplace_back(u"€"_s.repeated(255)); // Jet 4: 510 bytes, Jet 3: 255
        }
        QTest::newRow("row larger than a page") << big << u"a page holds rows of at most"_s;
        QTest::newRow("TEXT(256)")
            << oneColumn(textColumn(u"A"_s, 256), u""_s) << u"TEXT length 256"_s;
        QTest::newRow("no columns") << Jet::Table{u"T"_s, {}, {}} << u"at least one column"_s;
        QTest::newRow("column twice, other case")
            << Jet::Table{u"T"_s, {textColumn(u"Marke"_s), textColumn(u"MARKE"_s)}, {}}
            << u"column \"MARKE\" appears twice"_s;
        QTest::newRow("dot in column name")
            << Jet::Table{u"T"_s, {textColumn(u"a.b"_s)}, {}} << u"\"a.b\" contains"_s;
        QTest::newRow("table name of 65 characters")
            << Jet::Table{u"x"_s.repeated(65), {textColumn(u"A"_s)}, {}}
            << u"longer than 64 characters"_s;
        QTest::newRow("table name twice, other case")
            << Jet::Table{u"h-informationsgeber"_s, {textColumn(u"A"_s)}, {}}
            << u"table \"h-informationsgeber\" appears twice"_s;
        QTest::newRow("system name")
            << Jet::Table{u"msysFoo"_s, {textColumn(u"A"_s)}, {}} << u"belong to Jet"_s;
        Jet::Table wideTable{u"T"_s, {}, {}};
        for (int i = 0; i < 40; ++i)
            wideTable.columns.append(textColumn(u"%1"_s.arg(i, 64, 10, QChar(u'x'))));
        QTest::newRow("definition over a page") << wideTable << u"does not fit on one page"_s;
        Jet::Table tooMany{u"T"_s, {}, {}};
        for (int i = 0; i < 256; ++i)
            tooMany.columns.append(booleanColumn(u"B%1"_s.arg(i)));
        QTest::newRow("256 columns") << tooMany << u"more than 255 columns"_s;
        QTest::newRow("MEMO of 65,536 characters")
            << oneColumn({u"Notiz"_s, Jet::ColumnType::Memo}, u"x"_s.repeated(65536))
            << u"column \"Notiz\" (MEMO): a text of 65536 characters is too long"_s;
        QTest::newRow("boolean in MEMO") << oneColumn({u"Notiz"_s, Jet::ColumnType::Memo}, true)
                                         << u"column \"Notiz\" (MEMO): cannot take a boolean"_s;
    }
    void writeErrors()
    {
        QFETCH(Jet::Table, table);
        QFETCH(QString, message);
        // A failed write leaves an earlier file in place.
        const QString path = m_dir.filePath(u"fehler.mdb"_s);
        write(path, catalogueTables());
        const QByteArray before = fileBytes(path);

        QString error;
        QVERIFY(!Jet::writeDatabase(path, {catalogueTables()[1], table}, format(), &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(fileBytes(path), before);
    }

    void unwritablePath()
    {
        QString error;
        const QString path = m_dir.filePath(u"fehlt/katalog.mdb"_s);
        QVERIFY(!Jet::writeDatabase(path, catalogueTables(), format(), &error));
        QVERIFY2(error.startsWith(u"cannot write "_s + path), qPrintable(error));
        QVERIFY(!Jet::writeDatabase(m_dir.path(), catalogueTables(), format(), &error));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestJetWriter)
#include "tst_jetwriter.moc"
