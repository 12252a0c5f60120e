#include "tools/demo/democatalogue.h"
#include "tools/demo/demodata.h"
#include "tools/demo/demogrades.h"
#include "tools/demo/demorandom.h"
#include "tools/demo/pagedtable.h"
#include "tools/demo/sheetcontent.h"

#include "mdbcheck.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString pageText(const QString &path, int page)
{
    const MdbCheck::ToolRun run =
        MdbCheck::runTool(u"pdftotext"_s, {u"-layout"_s, u"-f"_s, QString::number(page), u"-l"_s,
                                           QString::number(page), path, u"-"_s});
    return run.exitCode == 0 ? QString::fromUtf8(run.out) : QString();
}

int pageCount(const QString &path)
{
    const MdbCheck::ToolRun run = MdbCheck::runTool(u"pdfinfo"_s, {path});
    const QRegularExpressionMatch match =
        QRegularExpression(u"^Pages:\\s+(\\d+)$"_s, QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(run.out));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The lines of a page between the column header and the footer, without blank ones.
QStringList tableLines(const QString &text)
{
    QStringList lines;
    bool inTable = false;
    for (const QString &line : text.split(u'\n')) {
        if (line.contains(u"Seite "_s) && line.contains(u" von "_s))
            break;
        if (inTable && !line.trimmed().isEmpty())
            lines.append(line.trimmed());
        if (line.contains(u"Spalte A"_s))
            inTable = true;
    }
    return lines;
}

} // namespace

class TestDemoContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // --- The seeded generator ---

    void randomIsReproducible()
    {
        DemoRandom a(42), b(42), c(43);
        QList<quint64> first, second, third;
        for (int i = 0; i < 100; ++i) {
            first.append(a.next());
            second.append(b.next());
            third.append(c.next());
        }
        QCOMPARE(first, second);
        QVERIFY(first != third);
        // Parts are independent of each other and of the order they are asked for.
        QCOMPARE(DemoRandom::forPart(7, 3).next(), DemoRandom::forPart(7, 3).next());
        QVERIFY(DemoRandom::forPart(7, 3).next() != DemoRandom::forPart(7, 4).next());
        QVERIFY(DemoRandom::forPart(7, 3).next() != DemoRandom::forPart(8, 3).next());
    }

    void randomStaysInRange()
    {
        DemoRandom random(1);
        QSet<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const int value = random.between(-2, 2);
            QVERIFY(value >= -2 && value <= 2);
            seen.insert(value);
            const double unit = random.unit();
            QVERIFY(unit >= 0.0 && unit < 1.0);
            QCOMPARE(random.below(1), 0);
            QCOMPARE(random.below(0), 0);
        }
        QCOMPARE(seen.size(), 5); // every value turns up
    }

    void weightedNeverPicksAZeroWeight()
    {
        DemoRandom random(5);
        QList<int> counts(3, 0);
        for (int i = 0; i < 3000; ++i)
            ++counts[random.weighted({1, 0, 3})];
        QCOMPARE(counts[1], 0);
        QVERIFY(counts[2] > 2 * counts[0]); // about three times as often
    }

    void shuffleKeepsEveryItem()
    {
        DemoRandom random(9);
        QList<int> items;
        for (int i = 0; i < 50; ++i)
            items.append(i);
        QList<int> shuffled = items;
        random.shuffle(shuffled);
        QVERIFY(shuffled != items);
        std::sort(shuffled.begin(), shuffled.end());
        QCOMPARE(shuffled, items);
    }

    // --- Grades and brands ---

    void everyKindHasUsableGrades()
    {
        const Demo::Catalogue catalogue = Demo::generateCatalogue(10);
        for (const Demo::ConsumableKind &kind : catalogue.kinds) {
            const QList<Demo::Grade> &grades = Demo::gradesOf(kind);
            QVERIFY2(!grades.isEmpty(), qPrintable(kind.key));
            for (const Demo::Grade &grade : grades) {
                QVERIFY2(grade.brandPattern.contains(u"%1"_s), qPrintable(grade.brandPattern));
                QVERIFY(!grade.designations.isEmpty());
                QVERIFY(!grade.chemistry.isEmpty());
                QVERIFY(!grade.baseMaterials.isEmpty());
                // Either tested for strength or for hardness.
                QCOMPARE(grade.yieldMin == 0, !grade.hardness.isEmpty());
                if (grade.yieldMin > 0) {
                    QVERIFY(grade.yieldMin < grade.tensileMin);
                    QVERIFY(grade.tensileMax == 0 || grade.tensileMin < grade.tensileMax);
                }
                // Wires and rods name their shielding; electrodes and flux combinations not.
                const bool shielded = kind.process == Demo::Process::SolidWire ||
                                      kind.process == Demo::Process::FluxCored ||
                                      kind.process == Demo::Process::Tig ||
                                      kind.process == Demo::Process::Gas;
                QCOMPARE(!grade.shielding.isEmpty(), shielded);
            }
        }
    }

    void brandsComeFromTheirMakersStems()
    {
        const Demo::Catalogue catalogue = Demo::generateCatalogue(Demo::DefaultCount);
        QSet<QString> allStems;
        int stemCount = 0;
        for (const Demo::Manufacturer &m : catalogue.manufacturers) {
            QVERIFY2(!m.stems.isEmpty(), qPrintable(m.key));
            for (const QString &stem : m.stems)
                allStems.insert(stem);
            stemCount += int(m.stems.size());
        }
        QCOMPARE(allStems.size(), stemCount); // no stem shared by two makers
        for (const Demo::DataSheet &sheet : catalogue.sheets) {
            const Demo::Grade &grade = Demo::gradesOf(catalogue.kindOf(sheet))[sheet.grade];
            bool matches = false;
            for (const QString &stem : catalogue.manufacturerOf(sheet).stems)
                matches = matches || grade.brandPattern.arg(stem) == sheet.brand;
            QVERIFY2(matches, qPrintable(sheet.brand));
        }
    }

    // Sheets sharing a main number are one product: same maker, kind and brand.
    void variantsShareTheirProduct()
    {
        const Demo::Catalogue catalogue = Demo::generateCatalogue(Demo::DefaultCount);
        QHash<int, const Demo::DataSheet *> products;
        for (const Demo::DataSheet &sheet : catalogue.sheets) {
            const Demo::DataSheet *first = products.value(sheet.mainNumber);
            if (!first) {
                products.insert(sheet.mainNumber, &sheet);
                continue;
            }
            QCOMPARE(sheet.manufacturer, first->manufacturer);
            QCOMPARE(sheet.kind, first->kind);
            QCOMPARE(sheet.brand, first->brand);
        }
        QVERIFY(products.size() < catalogue.sheets.size());
    }

    // --- What a data sheet says ---

    void numbersInGerman_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("comma") << 0.072 << 3 << u"0,072"_s;
        QTest::newRow("rounded") << 1.456 << 2 << u"1,46"_s;
        QTest::newRow("whole") << 19.0 << 1 << u"19,0"_s;
    }

    void numbersInGerman()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(Demo::germanNumber(value, decimals), text);
    }

    void temperatures_data()
    {
        QTest::addColumn<int>("celsius");
        QTest::addColumn<QString>("text");
        QTest::newRow("warm") << 20 << u"+20 °C"_s;
        QTest::newRow("zero") << 0 << u"0 °C"_s;
        QTest::newRow("cold, real minus sign") << -40 << u"\u221240 °C"_s;
    }

    void temperatures()
    {
        QFETCH(int, celsius);
        QFETCH(QString, text);
        QCOMPARE(Demo::temperature(celsius), text);
    }

    void sheetContentFitsItsSheet()
    {
        const Demo::Catalogue catalogue = Demo::generateCatalogue(600);
        int twoPages = 0;
        for (const Demo::DataSheet &sheet : catalogue.sheets) {
            const Demo::SheetContent content = Demo::sheetContent(catalogue, sheet);
            const Demo::ConsumableKind &kind = catalogue.kindOf(sheet);
            const Demo::Grade &grade = Demo::gradesOf(kind)[sheet.grade];
            QCOMPARE(content.number, sheet.number());
            QCOMPARE(content.changeNote.isEmpty(), !sheet.changed);
            QCOMPARE(content.chemistry.header.size(), content.chemistry.rows.value(0).size());
            if (grade.yieldMin == 0) {
                QVERIFY(content.mechanical.rows.isEmpty());
                QVERIFY(!content.hardness.isEmpty());
            } else {
                // Minimum values, typical values, and after stress relieving where tested.
                QCOMPARE(content.mechanical.rows.size(), grade.stressRelieved ? 3 : 2);
                for (const QStringList &row : content.mechanical.rows)
                    QCOMPARE(row.size(), content.mechanical.header.size());
                // Typical values meet the minimum.
                QVERIFY(content.mechanical.rows[1][1].toInt() >= grade.yieldMin);
            }
            if (kind.process == Demo::Process::SubmergedArc) {
                QVERIFY(content.twoPages);
                QVERIFY(
                    std::any_of(content.weldingData.begin(), content.weldingData.end(),
                                [&](const auto &line) { return line.second == sheet.fluxBrand; }));
            }
            if (kind.material == Demo::Material::Aluminium)
                QCOMPARE(content.chemistry.rows[0].last(), u"Rest"_s);
            QCOMPARE(content.notes.isEmpty(), !content.twoPages);
            twoPages += content.twoPages ? 1 : 0;
        }
        QVERIFY(twoPages > 100 && twoPages < 400);
    }

    void sheetContentIsTheSameEveryTime()
    {
        const Demo::Catalogue catalogue = Demo::generateCatalogue(50, 77);
        for (const Demo::DataSheet &sheet : catalogue.sheets) {
            const Demo::SheetContent a = Demo::sheetContent(catalogue, sheet);
            const Demo::SheetContent b = Demo::sheetContent(catalogue, sheet);
            QCOMPARE(a.mechanical.rows, b.mechanical.rows);
            QCOMPARE(a.chemistry.rows, b.chemistry.rows);
            QCOMPARE(a.approval, b.approval);
            QCOMPARE(a.changeNote, b.changeNote);
        }
    }

    // --- Reading the data files ---

    // Each row is one data file; the reader names the file and line of the first fault, or
    // (JSON values) the path of the value.
    void dataFilesAreReadStrictly_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        const QByteArray head = "key;n;process\n";
        QTest::newRow("table") << u"t.csv"_s << head + "A;1;Tig\n\"B;\"\"\";-2;Gas\n" << QString();
        QTest::newRow("other columns")
            << u"t.csv"_s << QByteArray("key;process;n\n")
            << u"t.csv:1: the columns are \"key;process;n\", expected \"key;n;process\""_s;
        QTest::newRow("field missing") << u"t.csv"_s << head + "A;1;Tig\nB;2\n"
                                       << u"t.csv:3: 2 fields, expected 3"_s;
        QTest::newRow("field too many") << u"t.csv"_s << head + "A;1;Tig;\n"
                                        << u"t.csv:2: 4 fields, expected 3"_s;
        QTest::newRow("bad number") << u"t.csv"_s << head + "A;1;Tig\nB;1,5;Tig\n"
                                    << u"t.csv:3: n \"1,5\" is not a whole number"_s;
        QTest::newRow("unknown name") << u"t.csv"_s << head + "A;1;Laser\n"
                                      << u"t.csv:2: unknown process \"Laser\" (known: Tig, Gas)"_s;
        QTest::newRow("quote not closed") << u"t.csv"_s << head + "\"A;1;Tig\n"
                                          << u"t.csv:2: a quoted field is not closed"_s;
        QTest::newRow("empty line") << u"t.csv"_s << head + "A;1;Tig\n\nB;2;Gas\n"
                                    << u"t.csv:3: empty line"_s;
        QTest::newRow("not UTF-8") << u"t.csv"_s << head + "A;1;Tig\nB\xe4r;2;Gas\n"
                                   << u"t.csv:3: not valid UTF-8"_s;
        QTest::newRow("record") << u"t.json"_s << QByteArray(R"({"brand": "X", "yield": 420})")
                                << QString();
        QTest::newRow("syntax error")
            << u"t.json"_s << QByteArray("{\n  \"brand\": \"X\",\n  \"yield\": 420,\n}\n")
            << u"t.json:4: object is missing after a comma"_s;
        QTest::newRow("member missing")
            << u"t.json"_s << QByteArray(R"({"yield": 420})") << u"t.json: \"brand\" is missing"_s;
        QTest::newRow("wrong type") << u"t.json"_s << QByteArray(R"({"brand": "X", "yield": 4.2})")
                                    << u"t.json: yield: expected a whole number"_s;
        QTest::newRow("unknown member")
            << u"t.json"_s << QByteArray(R"({"brand": "X", "yeild": 420})")
            << u"t.json: unknown member \"yeild\""_s;
        QTest::newRow("text") << u"t.html"_s << QByteArray("<p>\nStand {{stand}}</p>") << QString();
        QTest::newRow("unknown placeholder") << u"t.html"_s << QByteArray("<p>\n{{stnad}}</p>")
                                             << u"t.html:2: unknown placeholder {{stnad}}"_s;
        QTest::newRow("placeholder not closed") << u"t.html"_s << QByteArray("<p>{{stand</p>\n}}")
                                                << u"t.html:1: \"{{\" without \"}}\""_s;
    }

    void dataFilesAreReadStrictly()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        namespace Data = Demo::Data;
        try {
            if (file.endsWith(u".csv"_s)) {
                const Data::Table table =
                    Data::parseTable(file, content, {u"key"_s, u"n"_s, u"process"_s});
                for (const Data::Row &row : table.rows) {
                    row.integer(u"n");
                    row.choice<int>(u"process", {{u"Tig", 1}, {u"Gas", 2}});
                }
                QCOMPARE(table.rows.size(), 2);
                QCOMPARE(table.rows[1].text(u"key"), u"B;\""_s);
            } else if (file.endsWith(u".json"_s)) {
                const Data::Record record = Data::parseRecord(file, content);
                QCOMPARE(record.value(u"brand").text(), u"X"_s);
                if (const auto value = record.optional(u"yield"))
                    QCOMPARE(value->integer(), 420);
                record.finish();
            } else {
                QCOMPARE(
                    Data::fill(QString::fromUtf8(content), {{u"stand"_s, u"2026.2"_s}}, file, true),
                    u"<p>\nStand 2026.2</p>"_s);
            }
            QVERIFY2(error.isEmpty(), "no error reported");
        } catch (const Data::Error &e) {
            QCOMPARE(e.text(), error);
        }
    }

    // --- Long tables over several pages ---

    // A heading never ends a page, the column header starts every page, and the footer
    // counts the pages of the whole document. Tables starting with 0 to 11 plain rows
    // shift every later row, so some heading falls on each row position of a page.
    void pagedTableBreaksWell_data()
    {
        QTest::addColumn<int>("lead");
        for (int lead = 0; lead < 12; ++lead)
            QTest::addRow("%d rows first", lead) << lead;
    }

    void pagedTableBreaksWell()
    {
        QFETCH(int, lead);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        PagedTable table(u"Prüftabelle"_s, u"Untertitel"_s,
                         {{u"Spalte A"_s, 40}, {u"Spalte B"_s, 134}});
        table.addParagraph(u"Einleitung."_s);
        int expected = 0;
        for (int row = 0; row < lead; ++row, ++expected)
            table.addRow({u"Z-%1"_s.arg(row), u"vorab"_s});
        for (int group = 0; group < 40; ++group) {
            table.addGroup(u"Gruppe %1"_s.arg(group));
            for (int row = 0; row < 1 + group % 4; ++row, ++expected) {
                // Now and then a row that wraps onto a second line.
                const QString text = row == 2 ? QString(u"lang "_s).repeated(40) : u"kurz"_s;
                table.addRow({u"Z%1.%2"_s.arg(group).arg(row), text});
            }
        }
        table.addParagraph(u"Schlussbemerkung."_s);
        const QString path = dir.filePath(u"table.pdf"_s);
        QString error;
        QVERIFY2(table.write(path, u"Ausgabe"_s, u"Fußzeile"_s, &error), qPrintable(error));

        const int pages = pageCount(path);
        QVERIFY(pages >= 3);
        int rows = 0;
        for (int page = 1; page <= pages; ++page) {
            const QString text = pageText(path, page);
            QVERIFY2(text.contains(u"Seite %1 von %2"_s.arg(page).arg(pages)), qPrintable(text));
            QVERIFY2(text.contains(u"Spalte A"_s), qPrintable(u"no header on page %1"_s.arg(page)));
            const QStringList lines = tableLines(text);
            QVERIFY(!lines.isEmpty());
            if (page < pages)
                QVERIFY2(!lines.last().startsWith(u"Gruppe"_s), qPrintable(lines.last()));
            for (const QString &line : lines)
                rows += line.startsWith(u'Z') ? 1 : 0;
        }
        QCOMPARE(rows, expected); // every row drawn exactly once
        QVERIFY(pageText(path, pages).contains(u"Schlussbemerkung."_s));
    }
};

QTEST_MAIN(TestDemoContent)
#include "tst_democontent.moc"
