#include "catalogue/accesstable.h"
#include "catalogue/jetstoredtext.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"

#include "cataloguetables.h"
#include "mdbcheck.h"

#include "testfiles.h"
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

// glib before mdbtools.h: the latter's extern "C" block breaks glib's C++ templates.
#include <glib.h>
#include <mdbtools.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace CatalogueTables;
using Jet::Value;

Q_DECLARE_METATYPE(Jet::FileFormat)

namespace {

QByteArray cp(QStringView text)
{
    return Cp1252::fromUnicode(text);
}

} // namespace

class TestAccessTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    void opensTablesByNameInAnyCase_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("firstKey");
        QTest::newRow("as stored") << QByteArray("Verzeichnis") << QByteArray("01234.05");
        QTest::newRow("lower case") << QByteArray("verzeichnis") << QByteArray("01234.05");
        QTest::newRow("upper case") << QByteArray("VERZEICHNIS") << QByteArray("01234.05");
        QTest::newRow("sharp s as Windows-1252")
            << QByteArray("H-Schwei\xdfzusatz") << QByteArray("S1");
        QTest::newRow("sharp s, other case")
            << QByteArray("h-SCHWEI\xdfZUSATZ") << QByteArray("S1");
        QTest::newRow("lower-case table") << QByteArray("NORVENZ") << QByteArray("2024");
    }
    void opensTablesByNameInAnyCase()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, firstKey);
        const auto file = AccessFile::open(sampleFile());
        AccessTable table(*file, name, u"tbl"_s);
        QVERIFY(!table.Eof());
        QCOMPARE(table.Text(0), firstKey);
    }

    void readsByNameAndByPosition()
    {
        const auto file = AccessFile::open(sampleFile());
        AccessTable table(*file, "Verzeichnis", u"qKennblaetter"_s);
        QCOMPARE(table.columnCount(), 7);
        QCOMPARE(table.Text("KBNr"), QByteArray("01234.05"));
        QCOMPARE(table.Text("kbnr"), QByteArray("01234.05"));
        QCOMPARE(table.Text(0), QByteArray("01234.05"));
        QCOMPARE(table.Text(1), cp(u"Fox Öl-Draht"));
        QCOMPARE(table.Text("MARKE"), table.Text(1));
        QCOMPARE(table.TruthValue("AenderungsFlag"), true);
        table.Next();
        QCOMPARE(table.Text("Marke"), cp(u"Schweißpulver „Spezial“"));
        QCOMPARE(table.Text("Pulvermarke"), cp(u"Pulver 12 €"));
        QCOMPARE(table.TruthValue("aenderungsflag"), false);
        table.Next();
        QCOMPARE(table.Text("Marke"), QByteArray(" Marke mit Blanks "));
        table.Next();
        QVERIFY(table.Eof());
    }

    // A NULL and an empty text read alike; Jet 4 cannot store a NULL yes/no value at all, as
    // the value lives in the row's null mask, so the writer refuses one.
    void nullValues()
    {
        const QString path = m_dir.filePath(u"null.mdb"_s);
        const Jet::Table table{u"Werte"_s,
                               {text(u"Text"_s), longInt(u"Zahl"_s), boolean(u"Ja"_s)},
                               {{{}, {}, false}, {u""_s, qint32(0), true}}};
        QCOMPARE(write(path, {table}), QString());
        const auto file = AccessFile::open(path);
        AccessTable values(*file, "Werte", u"adotWerte"_s);
        QCOMPARE(values.Text("Text"), QByteArray());
        QCOMPARE(values.Text("Zahl"), QByteArray());
        QCOMPARE(values.TruthValue("Zahl"), false);
        QCOMPARE(values.TruthValue("Ja"), false);
        values.Next();
        QCOMPARE(values.Text("Text"), QByteArray());
        QCOMPARE(values.Text("Zahl"), QByteArray("0"));
        QCOMPARE(values.TruthValue("Ja"), true);

        const Jet::Table nullBoolean{u"B"_s, {boolean(u"Ja"_s)}, {{Value()}}};
        QVERIFY(!write(m_dir.filePath(u"b.mdb"_s), {nullBoolean}).isEmpty());
    }

    // Whatever the stored form (Jet 4: plain or compressed UCS-2; Jet 3: Windows-1252 bytes),
    // texts arrive as Windows-1252 bytes; a character without such a byte becomes "?" (Jet 3
    // cannot store one at all).
    void textsArriveAsWindows1252_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        struct Case
        {
            const char *name;
            QString text;
            QByteArray bytes;
            bool jet3Too;
        };
        const Case cases[] = {
            {"umlauts", u"ÄÖÜäöü"_s, "\xc4\xd6\xdc\xe4\xf6\xfc", true},
            {"sharp s", u"Schweißdraht"_s,
             "Schwei\xdf"
             "draht",
             true},
            {"euro", u"12 €"_s, "12 \x80", true},
            {"quotes and dash", u"„a“ – b"_s,
             "\x84"
             "a\x93 \x96 b",
             true},
            {"no Windows-1252 form", u"Ωmega Ā"_s, "?mega ?", false},
            {"leading byte-order mark kept", u"\uFEFFx"_s, "?x", false},
            {"C1 control with a byte", u"a\u0081b"_s,
             "a\x81"
             "b",
             false},
            {"tab and line break", u"a\tb\r\nc"_s, "a\tb\r\nc", true},
            {"255 umlauts", u"ä"_s.repeated(255), QByteArray(255, '\xe4'), true},
            {"255 euros", u"€"_s.repeated(255), QByteArray(255, '\x80'), true},
            {"255 ASCII", u"x"_s.repeated(255), QByteArray(255, 'x'), true},
        };
        for (const Case &c : cases) {
            QTest::addRow("Jet 4: %s", c.name) << Jet::FileFormat::Jet4 << c.text << c.bytes;
            if (c.jet3Too)
                QTest::addRow("Jet 3: %s", c.name) << Jet::FileFormat::Jet3 << c.text << c.bytes;
        }
    }
    void textsArriveAsWindows1252()
    {
        QFETCH(Jet::FileFormat, format);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(u"text.mdb"_s);
        QCOMPARE(write(path, {{u"T"_s, {CatalogueTables::text(u"Wert"_s)}, {{text}}}}, format),
                 QString());
        const auto file = AccessFile::open(path);
        AccessTable table(*file, "T", u"adotT"_s);
        QCOMPARE(table.Text("Wert"), bytes);
    }

    // Beyond the inline map's reach (Jet 4: 512 pages, Jet 3: 1,024) the usage map points to
    // bitmap pages (type 1).
    void manyRowsOverManyPages_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("bitmapPages");
        QTest::newRow("Jet 4, a few pages") << Jet::FileFormat::Jet4 << 3000 << 20 << 0;
        QTest::newRow("Jet 4, more than 512 pages") << Jet::FileFormat::Jet4 << 5000 << 255 << 1;
        QTest::newRow("Jet 3, more than 1024 pages") << Jet::FileFormat::Jet3 << 8000 << 255 << 1;
    }
    void manyRowsOverManyPages()
    {
        QFETCH(Jet::FileFormat, format);
        QFETCH(int, rows);
        QFETCH(int, width);
        QFETCH(int, bitmapPages);
        Jet::Table table{u"Viele"_s, {longInt(u"Nr"_s), text(u"Text"_s)}, {}};
        for (int i = 0; i < rows; ++i)
            table.rows.push_back({qint32(i), u"%1 ä"_s.arg(i).leftJustified(width, u'€')});
        const QString path = m_dir.filePath(u"viele.mdb"_s);
        QCOMPARE(write(path, {table}, format), QString());
        QCOMPARE(MdbCheck::pageCensus(path).bitmapPages, bitmapPages);

        const auto file = AccessFile::open(path);
        AccessTable viele(*file, "Viele", u"adotViele"_s);
        int count = 0;
        for (; !viele.Eof(); viele.Next(), ++count) {
            if (viele.Text("Nr") != QByteArray::number(count) ||
                viele.Text("Text") != cp(u"%1 ä"_s.arg(count).leftJustified(width, u'€')))
                QFAIL(qPrintable(
                    u"row %1 reads %2"_s.arg(count).arg(Cp1252::toUnicode(viele.Text("Text")))));
        }
        QCOMPARE(count, rows);
    }

    void endOfTableAndClose()
    {
        const QString path = m_dir.filePath(u"leer.mdb"_s);
        QCOMPARE(write(path, {infoGeber({}), zusatz({{u"S1"_s, u"Stab"_s}})}), QString());
        const auto file = AccessFile::open(path);
        const QString noRow =
            u"adotInfogeber: Es gibt keinen aktuellen Datensatz in der Tabelle 'H-InformationsGeber'."_s;

        AccessTable empty(*file, "H-InformationsGeber", u"adotInfogeber"_s);
        QVERIFY(empty.Eof());
        QCOMPARE(errorOf([&] { (void)empty.Text(0); }), noRow);
        empty.Next();
        QVERIFY(empty.Eof());

        AccessTable one(*file, "H-Schwei\xdfzusatz", u"adotZusatz"_s);
        QVERIFY(!one.Eof());
        one.Next();
        QVERIFY(one.Eof());
        one.Next();
        QVERIFY(one.Eof());

        AccessTable closed(*file, "H-Schwei\xdfzusatz", u"adotZusatz"_s);
        closed.Close();
        QVERIFY(closed.Eof());
        QCOMPARE(
            errorOf([&] { (void)closed.Text("ZusatzSchl"); }),
            u"adotZusatz: Es gibt keinen aktuellen Datensatz in der Tabelle 'H-Schweißzusatz'."_s);
        closed.Next();
        closed.Close();
        QVERIFY(closed.Eof());
    }

    void errorMessages_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("component");
        QTest::addColumn<std::function<void(AccessTable &)>>("read");
        QTest::addColumn<QString>("message");
        using Read = std::function<void(AccessTable &)>;
        QTest::newRow("missing column")
            << QByteArray("Verzeichnis") << u"qKennblaetter"_s
            << Read([](AccessTable &t) { (void)t.Text("KBNummer"); })
            << u"qKennblaetter: Das Feld 'KBNummer' wurde nicht gefunden"_s;
        QTest::newRow("missing column with umlaut")
            << QByteArray("Verzeichnis") << u"qKennblaetter"_s
            << Read([](AccessTable &t) { (void)t.TruthValue("\xc4nderung"); })
            << u"qKennblaetter: Das Feld 'Änderung' wurde nicht gefunden"_s;
        QTest::newRow("position beyond the columns")
            << QByteArray("norvenz") << u"adotNorvenz"_s
            << Read([](AccessTable &t) { (void)t.Text(3); })
            << u"adotNorvenz: Das Feld Nr. 3 wurde nicht gefunden"_s;
        QTest::newRow("negative position")
            << QByteArray("norvenz") << u"adotNorvenz"_s
            << Read([](AccessTable &t) { (void)t.Text(-1); })
            << u"adotNorvenz: Das Feld Nr. -1 wurde nicht gefunden"_s;
        QTest::newRow("yes/no value as text")
            << QByteArray("Verzeichnis") << u"qKennblaetter"_s
            << Read([](AccessTable &t) { (void)t.Text("AenderungsFlag"); })
            << u"qKennblaetter: Das Feld 'AenderungsFlag' enthält keinen Text."_s;
        QTest::newRow("yes/no value as text by position")
            << QByteArray("Verzeichnis") << u"qKennblaetter"_s
            << Read([](AccessTable &t) { (void)t.Text(6); })
            << u"qKennblaetter: Das Feld 'AenderungsFlag' enthält keinen Text."_s;
        QTest::newRow("text as truth value")
            << QByteArray("Verzeichnis") << u"qKennblaetter"_s
            << Read([](AccessTable &t) { (void)t.TruthValue("Marke"); })
            << u"qKennblaetter: Das Feld 'Marke' enthält keinen Wahrheitswert."_s;
    }
    void errorMessages()
    {
        QFETCH(QByteArray, table);
        QFETCH(QString, component);
        QFETCH(std::function<void(AccessTable &)>, read);
        QFETCH(QString, message);
        const auto file = AccessFile::open(sampleFile());
        AccessTable opened(*file, table, component);
        QCOMPARE(errorOf([&] { read(opened); }), message);
        QVERIFY(!opened.Eof()); // the row stays readable
        QVERIFY(!opened.Text(0).isEmpty());
    }

    void missingTable()
    {
        const QString path = m_dir.filePath(u"ohne.mdb"_s);
        QCOMPARE(write(path, {verzeichnis({})}), QString());
        const auto file = AccessFile::open(path);
        QCOMPARE(errorOf([&] { AccessTable(*file, "H-Schwei\xdfzusatz", u"adotZusatz"_s); }),
                 u"Die Tabelle 'H-Schweißzusatz' wurde in der Datenbankdatei '%1' nicht "
                 u"gefunden."_s.arg(path));
        // A table is not found by a prefix of its name, nor is a system table a user table.
        QVERIFY(errorOf([&] {
                    AccessTable(*file, "Verzeichni", u"x"_s);
                }).contains(u"nicht gefunden"_s));
        QVERIFY(errorOf([&] { AccessTable(*file, "", u"x"_s); }).contains(u"nicht gefunden"_s));
    }

    void unopenablePaths()
    {
        const QString missing = m_dir.filePath(u"fehlt.mde"_s);
        QCOMPARE(errorOf([&] { (void)AccessFile::open(missing); }),
                 u"Die Datenbankdatei '%1' kann nicht gelesen werden."_s.arg(missing));
        QCOMPARE(errorOf([&] { (void)AccessFile::open(m_dir.path()); }),
                 u"Die Datenbankdatei '%1' kann nicht gelesen werden."_s.arg(m_dir.path()));
    }

    // Our reader and mdb-export, an independent program on libmdb, read the same values.
    void agreesWithMdbExport_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::addColumn<QString>("alphabet");
        QTest::newRow("Jet 4") << Jet::FileFormat::Jet4 << u"aAzZ09 äöüßÄÖÜ€„“–—‚‘…¿ÿĀΩЖ\t\\\""_s;
        QTest::newRow("Jet 3") << Jet::FileFormat::Jet3 << u"aAzZ09 äöüßÄÖÜ€„“–—‚‘…¿ÿŒž\t\\\""_s;
    }
    void agreesWithMdbExport()
    {
        QFETCH(Jet::FileFormat, format);
        QFETCH(QString, alphabet);
        std::vector<Jet::Table> tables = sample();
        Jet::Table mixed{u"Gemischt"_s,
                         {longInt(u"Nr"_s), text(u"Text"_s, 40), boolean(u"Ja"_s), text(u"Leer"_s)},
                         {}};
        QRandomGenerator generator(1234);
        for (int i = 0; i < 400; ++i) {
            QString value;
            for (int k = generator.bounded(41); k > 0; --k)
                value.append(alphabet[generator.bounded(int(alphabet.size()))]);
            mixed.rows.push_back({i % 11 == 0 ? Value() : Value(qint32(generator.generate())),
                                  i % 13 == 0 ? Value() : Value(value), i % 3 == 0,
                                  i % 2 ? Value(u""_s) : Value()});
        }
        tables.push_back(mixed);
        const QString path = m_dir.filePath(u"vergleich.mdb"_s);
        QCOMPARE(write(path, tables, format), QString());
        const auto file = AccessFile::open(path);
        for (const Jet::Table &written : tables) {
            QList<QStringList> exported;
            QString problem;
            QVERIFY2(MdbCheck::exportRows(path, written.name, exported, &problem),
                     qPrintable(problem));
            AccessTable table(*file, cp(written.name), u"tbl"_s);
            QList<QList<QByteArray>> ours;
            for (; !table.Eof(); table.Next()) {
                QList<QByteArray> row;
                for (int i = 0; i < table.columnCount(); ++i) {
                    const QByteArray name = cp(written.columns[i].name);
                    row.append(written.columns[i].type == Jet::ColumnType::Boolean
                                   ? QByteArray(table.TruthValue(name) ? "1" : "0")
                                   : table.Text(i));
                }
                ours.append(row);
            }
            QCOMPARE(ours.size(), exported.size());
            for (qsizetype r = 0; r < ours.size(); ++r) {
                QList<QByteArray> theirs;
                for (const QString &value : exported[r])
                    theirs.append(cp(value));
                if (ours[r] != theirs)
                    QFAIL(qPrintable(u"%1, row %2: %3 | %4"_s.arg(written.name)
                                         .arg(r)
                                         .arg(Cp1252::toUnicode(ours[r].join('|')),
                                              Cp1252::toUnicode(theirs.join('|')))));
            }
        }
    }

    // Memo values kept in the row, on a long-value page and chained over pages read as
    // mdb-export reads them, except that the longest stops where libmdb's buffer for a bound
    // text ends, as it always has for the viewer.
    void memoColumns_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::newRow("Jet 4") << Jet::FileFormat::Jet4;
        QTest::newRow("Jet 3") << Jet::FileFormat::Jet3;
    }
    void memoColumns()
    {
        QFETCH(Jet::FileFormat, format);
        const QString inRow = u"Memo äöü €"_s;
        const QString onePage = u"Schweißdraht „Spezial“ für 12 € – ÄÖÜ "_s.repeated(4);
        const QString chained = u"Schweißdraht „Spezial“ für 12 € – ÄÖÜ "_s.repeated(500);
        const QString path = m_dir.filePath(u"memo.mdb"_s);
        QCOMPARE(write(path,
                       {{u"Memo"_s,
                         {longInt(u"Nr"_s), {u"Text"_s, Jet::ColumnType::Memo}},
                         {{qint32(1), inRow}, {qint32(2), onePage}, {qint32(3), chained}}}},
                       format),
                 QString());
        QList<QStringList> exported;
        QString problem;
        QVERIFY2(MdbCheck::exportRows(path, u"Memo"_s, exported, &problem), qPrintable(problem));
        QCOMPARE(exported.size(), 3);
        QString cut = chained;
        while (cut.toUtf8().size() > MDB_BIND_SIZE - 1)
            cut.chop(1);
        const auto opened = AccessFile::open(path);
        AccessTable table(*opened, "Memo", u"adotMemo"_s);
        const QString expected[] = {inRow, onePage, cut};
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(exported[row][1], row < 2 ? expected[row] : chained);
            // Read twice: a value may read the long-value rows it owns again.
            for (int read = 0; read < 2; ++read)
                QCOMPARE(table.Text("Text"), cp(expected[row]));
            table.Next();
        }
        QVERIFY(table.Eof());
    }

    // libmdb keeps the current page in its handle; each table has its own.
    void tablesReadSideBySide()
    {
        const auto file = AccessFile::open(sampleFile());
        AccessTable left(*file, "Verzeichnis", u"qKennblaetter"_s);
        AccessTable right(*file, "H-HerstellerLieferer", u"adotHersteller"_s);
        QList<QByteArray> seen;
        for (; !left.Eof() || !right.Eof(); left.Next(), right.Next()) {
            if (!left.Eof())
                seen.append(left.Text("KBNr"));
            if (!right.Eof())
                seen.append(right.Text(1));
        }
        QCOMPARE(seen, (QList<QByteArray>{"01234.05", cp(u"Müller & Söhne Schweißtechnik GmbH"),
                                          "00007.00", cp(u"Böhler Schweißtechnik"), "99999.99"}));
    }

    // libmdb reads names through iconv into the character set MDBICONV names, and Jet 3 names
    // from the code page MDB_JET3_CHARSET names; the program takes nothing from the
    // environment.
    void ignoresEnvironment_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("Jet 4, MDBICONV")
            << Jet::FileFormat::Jet4 << QByteArray("MDBICONV") << QByteArray("ISO-8859-1");
        QTest::newRow("Jet 3, MDBICONV")
            << Jet::FileFormat::Jet3 << QByteArray("MDBICONV") << QByteArray("ISO-8859-1");
        QTest::newRow("Jet 3, MDB_JET3_CHARSET")
            << Jet::FileFormat::Jet3 << QByteArray("MDB_JET3_CHARSET") << QByteArray("IBM850");
    }
    void ignoresEnvironment()
    {
        QFETCH(Jet::FileFormat, format);
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, value);
        const QString path = m_dir.filePath(u"umlaut.mdb"_s);
        QCOMPARE(write(path, {{u"Tabelle"_s, {text(u"Änderung"_s)}, {{u"Öl"_s}}}}, format),
                 QString());
        qputenv(variable.constData(), value);
        const QString error = errorOf([&] {
            const auto file = AccessFile::open(path);
            AccessTable table(*file, "Tabelle", u"adotTabelle"_s);
            QCOMPARE(table.Text("\xc4nderung"), QByteArray("\xd6l"));
        });
        qunsetenv(variable.constData());
        QCOMPARE(error, QString());
    }

    // Our conversion of stored texts against libmdb's (iconv to UTF-8, then to Windows-1252),
    // on arbitrary bytes: Jet 4 compressed and plain, odd lengths, surrogate halves, U+0000;
    // Jet 3 single bytes, where libmdb turns the five bytes Windows-1252 leaves undefined into
    // "?" and we keep them.
    void storedTextAsLibmdbReadsIt_data()
    {
        QTest::addColumn<Jet::FileFormat>("format");
        QTest::newRow("Jet 4") << Jet::FileFormat::Jet4;
        QTest::newRow("Jet 3") << Jet::FileFormat::Jet3;
    }
    void storedTextAsLibmdbReadsIt()
    {
        QFETCH(Jet::FileFormat, format);
        const bool jet3 = format == Jet::FileFormat::Jet3;
        const QString path = m_dir.filePath(u"konvertierung.mdb"_s);
        QCOMPARE(write(path, sample(), format), QString());
        MdbHandle *mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
        QVERIFY(mdb);
        const auto form = jet3 ? JetStoredText::Form::Windows1252 : JetStoredText::Form::Ucs2;
        QRandomGenerator generator(99);
        const QByteArray interesting("\x00\xff\xfe\xd8\xdc\x20\xac\x41\xe4\x81", 10);
        for (int round = 0; round < 20000; ++round) {
            QByteArray stored(generator.bounded(24), '\0');
            for (char &c : stored)
                c = generator.bounded(3) ? interesting[generator.bounded(10)]
                                         : char(generator.bounded(256));
            if (round % 2 && !jet3)
                stored.prepend("\xff\xfe");
            const qsizetype limit = round % 5 ? JetStoredText::NoLimit : generator.bounded(1, 12);
            char utf8[64];
            const int length =
                mdb_unicode2ascii(mdb, stored.constData(), std::size_t(stored.size()), utf8,
                                  limit == JetStoredText::NoLimit ? sizeof utf8 : limit + 1);
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            const QString viaLibmdb = decoder(QByteArrayView(utf8, qstrnlen(utf8, length)));
            QByteArray ours = JetStoredText::toCp1252(stored, form, limit);
            if (jet3) {
                for (char &c : ours) {
                    if (QByteArrayView("\x81\x8d\x8f\x90\x9d").contains(c))
                        c = '?';
                }
            }
            if (ours != Cp1252::fromUnicode(viaLibmdb)) {
                mdb_close(mdb);
                QFAIL(qPrintable(u"%1 (limit %2): ours %3, libmdb %4"_s
                                     .arg(QString::fromLatin1(stored.toHex(' ')))
                                     .arg(limit)
                                     .arg(QString::fromLatin1(ours.toHex(' ')), viaLibmdb)));
            }
        }
        mdb_close(mdb);
    }

private:
    QString sampleFile()
    {
        const QString path = m_dir.filePath(u"Norvenz SZW Kennblätter.mde"_s);
        if (!QFile::exists(path))
            [&] {
                QCOMPARE(write(path, sample()), QString());
            }();
        return path;
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestAccessTable)
#include "tst_accesstable.moc"
