// The list as CSV and as clipboard text, read back by Python's csv module.
#include "catalogue/tkennblattliste.h"
#include "csvreadback.h"
#include "list/listexport.h"
#include "testfiles.h"
#include "tmpfsmount.h"
#include "vectorcurrentlist.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList Captions = {u"Kennblatt-Nr."_s, u"Marke"_s, u"Pulver"_s,  u"Herst./Lief."_s,
                              u"Zusatz-Art"_s,    u"TÜO"_s,   u"Änderung"_s};

} // namespace

class TestListExport : public QObject
{
    Q_OBJECT

    TKennblattListe m_catalogue;
    VectorCurrentList m_list;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        // Windows-1252 texts as the catalogue holds them: umlauts, ß, and the characters
        // that CSV has to quote.
        m_catalogue.Add("101.1",
                        "Schwei\xDF"
                        "draht \xC4"
                        "1",
                        "", "H1", "Z1",
                        "T\xDC"
                        "1",
                        2);
        m_catalogue.Add("102.2", "Fox; \"Spezial\"", "Pulver\tB", "H2", "Z2", "T2", 1);
        m_catalogue.Add("103.3", " mit Leerzeichen ", "", "", "", "", 1);
        for (int row = 0; row < m_catalogue.Count(); ++row)
            m_list.rows.push_back(&m_catalogue.Get(row));
    }

    void csvReadsBackAsShown_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("the whole list") << QList<int>{0, 1, 2};
        QTest::newRow("its order, not the catalogue's") << QList<int>{2, 0};
        QTest::newRow("no rows") << QList<int>{};
    }
    void csvReadsBackAsShown()
    {
        QFETCH(QList<int>, rows);
        const QString path = m_dir.filePath(u"liste.csv"_s);
        QCOMPARE(ListExport::writeCsv(path, m_list, rows), QString());
        QList<QStringList> expected = {Captions};
        const QList<QStringList> shown = {
            {u"00101.01"_s, u"Schweißdraht Ä1"_s, u""_s, u"H1"_s, u"Z1"_s, u"TÜ1"_s, u"**"_s},
            {u"00102.02"_s, u"Fox; \"Spezial\""_s, u"Pulver\tB"_s, u"H2"_s, u"Z2"_s, u"T2"_s,
             u""_s},
            {u"00103.03"_s, u" mit Leerzeichen "_s, u""_s, u""_s, u""_s, u""_s, u""_s},
        };
        for (int row : rows)
            expected.append(shown[row]);
        QCOMPARE(readCsvBack(path), expected);
        // Lines end as RFC 4180 has them; only the field that needs quotes has them.
        const QByteArray bytes = readFile(path);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), rows.size() + 1);
        QCOMPARE(bytes.count('"'), rows.contains(1) ? 6 : 0);
    }

    void clipboardTextIsTabSeparated()
    {
        const QString text = ListExport::tabSeparated(m_list, {1, 0});
        QCOMPARE(text, Captions.join(u'\t') + u'\n' +
                           u"00102.02\tFox; \"Spezial\"\tPulver B\tH2\tZ2\tT2\t\n"_s +
                           u"00101.01\tSchweißdraht Ä1\t\tH1\tZ1\tTÜ1\t**\n"_s);
        QCOMPARE(ListExport::allRows(m_list), QList<int>({0, 1, 2}));
    }

    // An unwritable target gets a German message naming the file, and an existing file is
    // not touched.
    void unwritableTargets()
    {
        const QString missingFolder = m_dir.filePath(u"fehlt/liste.csv"_s);
        const QString error = ListExport::writeCsv(missingFolder, m_list, {0});
        QVERIFY(error.startsWith(u"Die Liste konnte nicht in die Datei „"_s));
        QVERIFY(error.contains(QDir::toNativeSeparators(missingFolder)));
        QVERIFY(!ListExport::writeCsv(m_dir.path(), m_list, {0}).isEmpty());
        QVERIFY(QFileInfo(m_dir.path()).isDir());
    }

    // A short list waits in the file's buffer until the end: its failure must still be seen,
    // and the file of that name stay.
    void aFullDiskLeavesAnExistingFile()
    {
        SmallTmpfs disk;
        if (!disk.isMounted())
            QSKIP(disk.skipReason());
        const QString path = disk.filePath(u"liste.csv"_s);
        writeFile(path, "die alte Liste\r\n");
        writeFile(disk.filePath(u"Füllung"_s), QByteArray(60 * 1024, 'x'));
        const QString error = ListExport::writeCsv(path, m_list, {0, 1, 2});
        QVERIFY2(error.endsWith(u"vielleicht ist der Datenträger voll."_s), qPrintable(error));
        QCOMPARE(readFile(path), QByteArray("die alte Liste\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestListExport)
#include "tst_listexport.moc"
