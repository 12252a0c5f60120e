#include "tools/jetwriter/csvtable.h"

#include "mdbcheck.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Jet::Value;

namespace {

// A row as text for comparisons: NULL shows as <NULL>, so it differs from "".
QStringList shown(const std::vector<Value> &row)
{
    QStringList fields;
    for (const Value &value : row) {
        if (const auto *text = std::get_if<QString>(&value))
            fields.append(u'"' + *text + u'"');
        else if (const auto *flag = std::get_if<bool>(&value))
            fields.append(*flag ? u"true"_s : u"false"_s);
        else if (const auto *number = std::get_if<qint32>(&value))
            fields.append(QString::number(*number));
        else
            fields.append(u"<NULL>"_s);
    }
    return fields;
}

QString columnsShown(const QList<Jet::Column> &columns)
{
    QStringList parts;
    for (const Jet::Column &column : columns) {
        const QString type = column.type == Jet::ColumnType::Text
                                 ? u"TEXT(%1)"_s.arg(column.maxLength)
                             : column.type == Jet::ColumnType::Boolean ? u"BOOLEAN"_s
                             : column.type == Jet::ColumnType::Memo    ? u"MEMO"_s
                                                                       : u"LONG"_s;
        parts.append(column.name + u':' + type);
    }
    return parts.join(u',');
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestJetWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsCsv_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("NULL versus empty text")
            << QByteArray("a:TEXT,b:TEXT(5)\n,\"\"\n\"\",\n") << u"a:TEXT(255),b:TEXT(5)"_s
            << QList<QStringList>{{u"<NULL>"_s, u"\"\""_s}, {u"\"\""_s, u"<NULL>"_s}};
        QTest::newRow("quotes, commas and a line break inside quotes")
            << QByteArray("t:TEXT\n\"a,\"\"b\"\"\nc\"\n") << u"t:TEXT(255)"_s
            << QList<QStringList>{{u"\"a,\"b\"\nc\""_s}};
        QTest::newRow("CRLF and no final line break")
            << QByteArray("n:LONG,f:BOOLEAN\r\n1,1\r\n-2,FALSE") << u"n:LONG,f:BOOLEAN"_s
            << QList<QStringList>{{u"1"_s, u"true"_s}, {u"-2"_s, u"false"_s}};
        QTest::newRow("byte-order mark, umlauts, blanks kept")
            << QByteArray("\xEF\xBB\xBFMarke:text(20)\n  Schwei\xC3\x9F \xE2\x82\xAC \n")
            << u"Marke:TEXT(20)"_s << QList<QStringList>{{u"\"  Schweiß € \""_s}};
        QTest::newRow("MEMO like TEXT")
            << QByteArray("m:Memo\n\"\"\n\nlang\n") << u"m:MEMO"_s
            << QList<QStringList>{{u"\"\""_s}, {u"<NULL>"_s}, {u"\"lang\""_s}};
        QTest::newRow("LONG limits and a NULL BOOLEAN passed on")
            << QByteArray("n:long,f:Boolean\n-2147483648,true\n+2147483647,0\n,\n")
            << u"n:LONG,f:BOOLEAN"_s
            << QList<QStringList>{{u"-2147483648"_s, u"true"_s},
                                  {u"2147483647"_s, u"false"_s},
                                  {u"<NULL>"_s, u"<NULL>"_s}};
        QTest::newRow("colon in a column name, quoted header")
            << QByteArray("\"Zeit: von:TEXT(8)\",x:TEXT\n1,\n")
            << u"Zeit: von:TEXT(8),x:TEXT(255)"_s << QList<QStringList>{{u"\"1\""_s, u"<NULL>"_s}};
        QTest::newRow("header only")
            << QByteArray("a:TEXT\n") << u"a:TEXT(255)"_s << QList<QStringList>{};
        QTest::newRow("empty line is a NULL of the one column")
            << QByteArray("a:TEXT\nx\n\ny\n") << u"a:TEXT(255)"_s
            << QList<QStringList>{{u"\"x\""_s}, {u"<NULL>"_s}, {u"\"y\""_s}};
    }
    void readsCsv()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, columns);
        QFETCH(QList<QStringList>, rows);
        Jet::Table table;
        QString error;
        QVERIFY2(Jet::readCsvTable(csv, table, &error), qPrintable(error));
        QCOMPARE(columnsShown(table.columns), columns);
        QCOMPARE(qsizetype(table.rows.size()), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i)
            QCOMPARE(shown(table.rows[std::size_t(i)]), rows[i]);
    }

    void rejectsCsv_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty file") << QByteArray() << u"the file is empty"_s;
        QTest::newRow("no type") << QByteArray("KBNr\n")
                                 << u"line 1: column \"KBNr\" has no type"_s;
        QTest::newRow("unknown type") << QByteArray("a:INT\n") << u"unknown type \"INT\""_s;
        QTest::newRow("field count after a quoted line break")
            << QByteArray("a:TEXT,b:TEXT\n\"1\n2\",x\ny\n")
            << u"line 4: 1 fields; the header names 2 columns"_s;
        QTest::newRow("quote inside unquoted field")
            << QByteArray("a:TEXT\nab\"c\n") << u"line 2: a quote inside an unquoted"_s;
        QTest::newRow("text after closing quote")
            << QByteArray("a:TEXT\n\"ab\"c\n") << u"line 2: text after the closing quote"_s;
        QTest::newRow("quote never closed")
            << QByteArray("a:TEXT\nx\n\"ab\n\n") << u"line 3: a quoted field is not closed"_s;
        QTest::newRow("yes is no BOOLEAN") << QByteArray("f:BOOLEAN\nyes\n")
                                           << u"line 2, column \"f\": \"yes\" is not a BOOLEAN"_s;
        QTest::newRow("empty text is no BOOLEAN")
            << QByteArray("f:BOOLEAN\n\"\"\n") << u"\"\" is not a BOOLEAN"_s;
        QTest::newRow("LONG overflow")
            << QByteArray("n:LONG\n2147483648\n") << u"\"2147483648\" is not a LONG"_s;
        QTest::newRow("LONG with blank") << QByteArray("n:LONG\n 5\n") << u"\" 5\" is not a LONG"_s;
        QTest::newRow("LONG of 30 digits")
            << QByteArray("n:LONG\n" + QByteArray(30, '1') + "\n") << u"is not a LONG"_s;
        QTest::newRow("invalid UTF-8") << QByteArray("a:TEXT\n\xE4\n") << u"not valid UTF-8"_s;
    }
    void rejectsCsv()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, message);
        Jet::Table table;
        QString error;
        QVERIFY(!Jet::readCsvTable(csv, table, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    void commandLineWritesTables_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("version"); // as mdb-ver prints it
        QTest::newRow("Jet 4 by default") << QStringList{} << QByteArray("JET4\n");
        QTest::newRow("Jet 3") << QStringList{u"--format"_s, u"jet3"_s} << QByteArray("JET3\n");
    }
    void commandLineWritesTables()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, version);
        QTemporaryDir dir;
        writeFile(dir.filePath(u"H-Schweißzusatz.csv"_s),
                  "ZusatzSchl:TEXT(10),Zusatz:TEXT(80)\nS1,Stabelektrode\nUP,\"UP-Draht, "
                  "\"\"neu\"\"\"\n");
        writeFile(dir.filePath(u"liste.csv"_s),
                  "KBNr:TEXT(8),AenderungsFlag:BOOLEAN,Seiten:LONG\n01234.05,1,\n00007.00,0,12\n");
        const QString mdb = dir.filePath(u"katalog.mdb"_s);
        const MdbCheck::ToolRun run = MdbCheck::runTool(
            QStringLiteral(JETWRITE_PATH),
            options + QStringList{mdb, dir.filePath(u"H-Schweißzusatz.csv"_s), u"--table"_s,
                                  u"Verzeichnis="_s + dir.filePath(u"liste.csv"_s)});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(MdbCheck::runTool(u"mdb-ver"_s, {mdb}).out, version);

        const MdbCheck::ToolRun tables = MdbCheck::runTool(u"mdb-tables"_s, {u"-1"_s, mdb});
        QCOMPARE(tables.err, QByteArray());
        QCOMPARE(tables.out, "H-Schweißzusatz\nVerzeichnis\n");
        QList<QStringList> rows;
        QString problem;
        QVERIFY2(MdbCheck::exportRows(mdb, u"Verzeichnis"_s, rows, &problem), qPrintable(problem));
        QCOMPARE(rows, (QList<QStringList>{{u"01234.05"_s, u"1"_s, u""_s},
                                           {u"00007.00"_s, u"0"_s, u"12"_s}}));
        QVERIFY2(MdbCheck::exportRows(mdb, u"H-Schweißzusatz"_s, rows, &problem),
                 qPrintable(problem));
        QCOMPARE(rows, (QList<QStringList>{{u"S1"_s, u"Stabelektrode"_s},
                                           {u"UP"_s, u"UP-Draht, \"neu\""_s}}));
    }

    void commandLineFails_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("arguments"); // after the output file; %1 is the CSV
        QTest::addColumn<QString>("message");
        const QByteArray good("a:TEXT\nx\n");
        QTest::newRow("no CSV file") << good << QStringList{} << u"no CSV file given"_s;
        QTest::newRow("missing CSV file")
            << good << QStringList{u"fehlt.csv"_s} << u"cannot read fehlt.csv"_s;
        QTest::newRow("--table without name")
            << good << QStringList{u"--table=%1"_s} << u"--table wants name=file.csv"_s;
        QTest::newRow("unknown format") << good << QStringList{u"--format=jet5"_s, u"%1"_s}
                                        << u"--format wants jet4 or jet3, not \"jet5\""_s;
        QTest::newRow("text without Windows-1252 form in Jet 3")
            << QByteArray("a:TEXT\n\xCE\xA9\n") << QStringList{u"-f"_s, u"jet3"_s, u"%1"_s}
            << u"column \"a\" (TEXT(255)): the character U+03A9 has no Windows-1252 form"_s;
        QTest::newRow("bad CSV names file and line")
            << QByteArray("a:TEXT\n\"x\n") << QStringList{u"%1"_s}
            << u"eingabe.csv: line 2: a quoted field is not closed"_s;
        QTest::newRow("NULL BOOLEAN")
            << QByteArray("f:BOOLEAN\n1\n\n") << QStringList{u"%1"_s}
            << u"table \"eingabe\", row 2: column \"f\" (BOOLEAN): cannot be NULL"_s;
        QTest::newRow("text too long")
            << QByteArray("k:TEXT(2)\nabc\n") << QStringList{u"--table"_s, u"T=%1"_s}
            << u"table \"T\", row 1: column \"k\" (TEXT(2)): a text of 3 characters"_s;
    }
    void commandLineFails()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString csvPath = dir.filePath(u"eingabe.csv"_s);
        writeFile(csvPath, csv);
        const QString mdb = dir.filePath(u"katalog.mdb"_s);
        QStringList all{mdb};
        for (const QString &argument : std::as_const(arguments))
            all.append(argument.contains(u"%1"_s) ? argument.arg(csvPath) : argument);
        const MdbCheck::ToolRun run = MdbCheck::runTool(QStringLiteral(JETWRITE_PATH), all);
        QVERIFY(run.exitCode != 0);
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        QVERIFY(!QFile::exists(mdb));
    }
};

QTEST_GUILESS_MAIN(TestJetWrite)
#include "tst_jetwrite.moc"
