// The index build on PDFs that strain a reader, written by the test: each sheet is read
// within its limits of text, time and memory, a sheet cut short is indexed as far as it was
// read and named, a reader that dies takes only its sheet along, and a reader program that
// cannot work is a failure, never an empty index.
#include "search/searchindex.h"
#include "search/searchindexer.h"
#include "search/searchquery.h"
#include "search/textreaderprotocol.h"
#include "testfiles.h"
#include "testpdfs.h"
#include "tools/hostilepdf/hostilepdfs.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

const QString Catalogue = u"Testkatalog"_s;

// Limits small enough for a test to reach them in a second or two.
ReadLimits testLimits()
{
    ReadLimits limits;
    limits.textChars = 50000;
    limits.timeMs = 500;
    limits.memoryBytes = 64 * 1024 * 1024;
    limits.processes = 2;
    return limits;
}

// A stand-in reader program: a shell script that ignores its arguments.
QString script(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    writeFile(path, "#!/bin/sh\n" + body + '\n');
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

} // namespace

class TestSearchLimits : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    IndexSummary build(const QStringList &names, const ReadLimits &limits,
                       const QString &program = QStringLiteral(KB_TEXTREADER))
    {
        QList<SheetFile> files;
        for (const QString &name : names)
            files.append({name, m_dir.filePath(name)});
        SearchIndexer indexer({program, QStringLiteral(PDF_ENGINE), limits});
        QSignalSpy finished(&indexer, &SearchIndexer::finished);
        indexer.start(indexPath(), Catalogue, files);
        if (!finished.wait(120000))
            return {};
        return finished.first().first().value<IndexSummary>();
    }

    QString indexPath() const { return m_dir.filePath(u"index.sqlite"_s); }

    QStringList found(const QString &word) const
    {
        const auto index = SearchIndex::openForSearching(indexPath());
        const QHash<qint64, QString> names = index->fileNames();
        QStringList files;
        for (const qint64 id : index->matches(SearchQuery::matchExpression(word)))
            files.append(names.value(id));
        files.sort();
        return files;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(TestPdfs::writeLinesPdf(m_dir.filePath(u"gut1.pdf"_s), {u"Kupfer Anfang"_s}));
        QVERIFY(TestPdfs::writeLinesPdf(m_dir.filePath(u"gut2.pdf"_s), {u"Nickel Anfang"_s}));
    }

    void init() { SearchIndex::removeFiles(indexPath()); }

    void hostileSheetIsReadInPart_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("timeMs");
        QTest::addColumn<bool>("beginningIndexed");
        // Text beyond the limit: the first pages are in, the last page is not. Time enough
        // to read it all.
        QTest::newRow("much text") << u"text"_s << 60000 << true;
        // Too many pages to read in the time.
        QTest::newRow("very many pages") << u"pages"_s << 500 << false;
        // One page whose stream inflates without end: the reader dies of its memory limit
        // on it, long before its time is up.
        QTest::newRow("endless stream") << u"stream"_s << 60000 << false;
    }
    void hostileSheetIsReadInPart()
    {
        QFETCH(QString, kind);
        QFETCH(int, timeMs);
        QFETCH(bool, beginningIndexed);
        if (kind == u"stream"_s && !TextReaderProtocol::MemoryLimitHolds)
            QSKIP("no memory limit for the reader under AddressSanitizer");
        const QString name = kind + u".pdf"_s;
        const QString path = m_dir.filePath(name);
        if (kind == u"text"_s)
            QVERIFY(HostilePdfs::writeTextHeavy(path, 2));
        else if (kind == u"pages"_s)
            QVERIFY(HostilePdfs::writeManyPages(path, 200000));
        else
            QVERIFY(HostilePdfs::writeInflatingPage(path, 256));

        ReadLimits limits = testLimits();
        limits.timeMs = timeMs;
        const IndexSummary summary = build({u"gut1.pdf"_s, name}, limits);
        QCOMPARE(summary.failure, SearchFailure());
        QCOMPARE(summary.partial, QStringList{name});
        QCOMPARE(summary.unreadable, QStringList());
        QCOMPARE(summary.read, 2);
        QStringList expected = {u"gut1.pdf"_s};
        if (beginningIndexed)
            expected.append(name);
        QCOMPARE(found(u"Anfang"_s), expected);
        QCOMPARE(found(u"Schluss"_s), QStringList());
    }

    // The reader on its own: it passes on text up to its limit and says it cut there.
    void readerStopsAtItsTextLimit()
    {
        const QString path = m_dir.filePath(u"viel.pdf"_s);
        QVERIFY(HostilePdfs::writeTextHeavy(path, 1));
        QProcess reader;
        reader.start(QStringLiteral(KB_TEXTREADER),
                     {QStringLiteral(PDF_ENGINE), u"1000"_s, u"60000"_s, u"67108864"_s});
        QVERIFY(reader.waitForStarted());
        reader.write(QFile::encodeName(path) + '\0');
        QByteArray out;
        qsizetype chars = 0;
        while (true) {
            while (out.size() < 5 && reader.waitForReadyRead(10000))
                out += reader.readAllStandardOutput();
            QVERIFY(out.size() >= 5);
            const quint32 size = qFromLittleEndian<quint32>(out.constData() + 1);
            while (out.size() < 5 + qsizetype(size) && reader.waitForReadyRead(10000))
                out += reader.readAllStandardOutput();
            QVERIFY(out.size() >= 5 + qsizetype(size));
            if (out.at(0) == 'E') {
                QCOMPARE(size, 5u);
                QCOMPARE(quint8(out.at(9)), quint8(1)); // cut at the text limit
                break;
            }
            QCOMPARE(out.at(0), 'P');
            chars += size / 2;
            out.remove(0, 5 + size);
        }
        QCOMPARE(chars, 1000);
        reader.closeWriteChannel();
        QVERIFY(reader.waitForFinished(10000));
        QCOMPARE(reader.exitCode(), 0);
    }

    // What comes from a reader is held to the limit here too, and a sheet cut here counts
    // as read in part: two pages of three characters each, where four are allowed.
    void textBeyondTheLimitIsCutByTheBuild()
    {
        const QString talkative = script(m_dir, u"viel.sh"_s,
                                         "head -c 1 >/dev/null\n"
                                         "printf 'P\\006\\000\\000\\000A\\000B\\000C\\000'\n"
                                         "printf 'P\\006\\000\\000\\000X\\000Y\\000Z\\000'\n"
                                         "printf 'E\\005\\000\\000\\000\\002\\000\\000\\000\\000'\n"
                                         "exec sleep 600");
        ReadLimits limits = testLimits();
        limits.textChars = 4;
        const IndexSummary summary = build({u"gut1.pdf"_s}, limits, talkative);
        QCOMPARE(summary.partial, QStringList{u"gut1.pdf"_s});
        QCOMPARE(found(u"ABC"_s), QStringList{u"gut1.pdf"_s});
        QCOMPARE(found(u"X"_s), QStringList{u"gut1.pdf"_s});
        QCOMPARE(found(u"XY"_s), QStringList());
    }

    void strangeButSmallSheetsAreRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("deep nesting") << u"deep"_s;
        QTest::newRow("unterminated stream") << u"open"_s;
    }
    void strangeButSmallSheetsAreRead()
    {
        QFETCH(QString, kind);
        const QString name = kind + u".pdf"_s;
        const QString path = m_dir.filePath(name);
        QVERIFY(kind == u"deep"_s ? HostilePdfs::writeDeepNesting(path, 20000)
                                  : HostilePdfs::writeUnterminatedStream(path));
        // The program's own limits.
        const IndexSummary summary = build({name}, ReadLimits());
        QCOMPARE(summary.failure, SearchFailure());
        QCOMPARE(summary.partial, QStringList());
        QCOMPARE(summary.unreadable, QStringList());
        QCOMPARE(found(u"Anfang"_s), QStringList{name});
    }

    // One reader: after it died on the first sheet, a new one reads the others.
    void deadReaderTakesOnlyItsSheet()
    {
        QVERIFY(HostilePdfs::writeInflatingPage(m_dir.filePath(u"flut.pdf"_s), 256));
        ReadLimits limits = testLimits();
        limits.processes = 1;
        const IndexSummary summary = build({u"flut.pdf"_s, u"gut1.pdf"_s, u"gut2.pdf"_s}, limits);
        QCOMPARE(summary.partial, QStringList{u"flut.pdf"_s});
        QCOMPARE(summary.read, 3);
        QCOMPARE(found(u"Anfang"_s), (QStringList{u"gut1.pdf"_s, u"gut2.pdf"_s}));

        // Kept as read in part: the next build does not read it again, and names it.
        const IndexSummary again = build({u"flut.pdf"_s, u"gut1.pdf"_s, u"gut2.pdf"_s}, limits);
        QCOMPARE(again.read, 0);
        QCOMPARE(again.partial, QStringList{u"flut.pdf"_s});
    }

    // A reader that crashes by itself (not for a limit) marks the sheet damaged.
    void crashOfItsOwnIsUnreadable()
    {
        const QString crashing =
            script(m_dir, u"absturz.sh"_s, "head -c 1 >/dev/null\nkill -SEGV $$");
        const IndexSummary summary = build({u"gut1.pdf"_s}, testLimits(), crashing);
        QCOMPARE(summary.failure, SearchFailure());
        QCOMPARE(summary.unreadable, QStringList{u"gut1.pdf"_s});
        QCOMPARE(summary.partial, QStringList());
    }

    // A reader that stops answering (a page without end, say) is ended after the time limit.
    void silentReaderIsEndedInTime()
    {
        const QString silent = script(m_dir, u"still.sh"_s, "head -c 1 >/dev/null\nexec sleep 600");
        const IndexSummary summary = build({u"gut1.pdf"_s}, testLimits(), silent);
        QCOMPARE(summary.failure, SearchFailure());
        QCOMPARE(summary.partial, QStringList{u"gut1.pdf"_s});
        QCOMPARE(summary.read, 1);
    }

    void readerThatCannotWorkIsAFailure_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("detail");
        QTest::newRow("missing") << u"fehlt"_s << u"fehlt"_s;
        QTest::newRow("ends at once") << u"endet"_s << u"endet mit dem Code 3"_s;
        QTest::newRow("no engine") << u"ohne Engine"_s << u"kann die PDF-Engine"_s;
    }
    void readerThatCannotWorkIsAFailure()
    {
        QFETCH(QString, program);
        QFETCH(QString, detail);
        QString path = m_dir.filePath(program);
        if (program == u"endet"_s)
            path = script(m_dir, u"endet.sh"_s, "exit 3");
        else if (program == u"ohne Engine"_s)
            path = script(m_dir, u"ohne-engine.sh"_s, "exit 65");
        const IndexSummary summary = build({u"gut1.pdf"_s, u"gut2.pdf"_s}, testLimits(), path);
        QCOMPARE(summary.failure.text,
                 u"Die Kennblätter können nicht gelesen werden: das Leseprogramm startet nicht"_s);
        QVERIFY2(summary.failure.detail.contains(detail), qPrintable(summary.failure.detail));
    }
};

QTEST_MAIN(TestSearchLimits)
#include "tst_searchlimits.moc"
