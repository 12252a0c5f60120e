// The full-text index on PDFs written by the test, read by the real engine in the reader
// processes: the matching rules, where the first hit is, the update of a changed catalogue
// folder, damaged index files and damaged PDFs, a build stopped half-way.
#include "search/searchindex.h"
#include "search/searchindexer.h"
#include "search/searchquery.h"
#include "search/sqlitedb.h"
#include "testfiles.h"
#include "testpdfs.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Catalogue = u"/daten/kennblaetter|/daten/Norvenz SZW Kennblätter.mde"_s;

struct Hit
{
    QString file;
    HitInfo info;
};

} // namespace

class TestSearchIndex : public QObject
{
    Q_OBJECT

    const TextReading m_reading{QStringLiteral(KB_TEXTREADER), QStringLiteral(PDF_ENGINE)};
    QTemporaryDir m_folder;
    QList<SheetFile> m_files;
    IndexSummary m_first;

    QString indexPath() const { return m_folder.filePath(u"index.sqlite"_s); }

    QList<SheetFile> sheets(const QString &folder, const QStringList &names) const
    {
        QList<SheetFile> files;
        for (const QString &name : names)
            files.append({name, folder + u'/' + name});
        return files;
    }

    IndexSummary build(const QString &path, const QList<SheetFile> &files, bool renew = false)
    {
        SearchIndexer indexer(m_reading);
        QSignalSpy finished(&indexer, &SearchIndexer::finished);
        indexer.start(path, Catalogue, files, renew);
        if (!finished.wait(60000))
            return {};
        return finished.first().first().value<IndexSummary>();
    }

    // Every match with its hit info, by file name.
    QList<Hit> search(const QString &path, const QString &input) const
    {
        const QString expression = SearchQuery::matchExpression(input);
        if (expression.isEmpty())
            return {};
        const std::unique_ptr<SearchIndex> index = SearchIndex::openForSearching(path);
        const std::vector<qint64> ids = index->matches(expression);
        const QHash<qint64, QString> names = index->fileNames();
        const QHash<qint64, HitInfo> infos = index->hitInfo(expression, ids);
        QList<Hit> hits;
        for (const qint64 id : ids)
            hits.append({names.value(id), infos.value(id)});
        std::sort(hits.begin(), hits.end(),
                  [](const Hit &a, const Hit &b) { return a.file < b.file; });
        return hits;
    }

    QStringList found(const QString &path, const QString &input) const
    {
        QStringList files;
        for (const Hit &hit : search(path, input))
            files.append(hit.file);
        return files;
    }

private Q_SLOTS:
    void initTestCase()
    {
        const auto write = [this](const QString &name, const QStringList &pages) {
            QVERIFY(TestPdfs::writeLinesPdf(m_folder.filePath(name), pages));
        };
        write(u"a.pdf"_s, {u"Zugelassen für Druckbehälter und für\nSchienenfahrzeuge nach DIN "
                           u"6700.\nGrundwerkstoff S355J2, Schutzgas M21."_s});
        write(u"b.pdf"_s, {u"DRUCKBEHAELTER aus P265GH.\nSchweißen unter Schutzgas M21."_s});
        write(u"c.pdf"_s, {u"Werkstoff 1.4571 und 1.4404.\nSchweissen unter M21."_s,
                           u"Groesse der Proben.\nGrundwerkstoff S355J2+N."_s});
        write(u"d.pdf"_s, {u"Werkstoff 1.4570; Schienenfahrzeuge für den Nahverkehr."_s});
        const QByteArray good = readFile(m_folder.filePath(u"a.pdf"_s));
        writeFile(m_folder.filePath(u"beschädigt.pdf"_s), good.left(good.size() / 4));
        m_files = sheets(m_folder.path(), {u"a.pdf"_s, u"b.pdf"_s, u"c.pdf"_s, u"d.pdf"_s,
                                           u"beschädigt.pdf"_s, u"fehlt.pdf"_s});
        m_first = build(indexPath(), m_files);
    }

    void unreadableFilesAreListed()
    {
        QCOMPARE(m_first.failure, SearchFailure());
        QCOMPARE(m_first.files, 6);
        QCOMPARE(m_first.read, 5);
        QCOMPARE(m_first.unreadable, QStringList({u"beschädigt.pdf"_s, u"fehlt.pdf"_s}));
    }

    void matchingRules_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("files");
        const QStringList none;
        QTest::newRow("ä finds AE") << u"Druckbehälter"_s << QStringList{u"a.pdf"_s, u"b.pdf"_s};
        QTest::newRow("ae finds ä") << u"druckbehaelter"_s << QStringList{u"a.pdf"_s, u"b.pdf"_s};
        QTest::newRow("ß finds ss") << u"Schweißen"_s << QStringList{u"b.pdf"_s, u"c.pdf"_s};
        QTest::newRow("ss finds ß") << u"SCHWEISSEN"_s << QStringList{u"b.pdf"_s, u"c.pdf"_s};
        QTest::newRow("ö and ß") << u"größe"_s << QStringList{u"c.pdf"_s};
        QTest::newRow("all words, any order, any page")
            << u"S355J2   m21"_s << QStringList{u"a.pdf"_s, u"c.pdf"_s};
        QTest::newRow("a word's start") << u"S355"_s << QStringList{u"a.pdf"_s, u"c.pdf"_s};
        QTest::newRow("a word inside is no match") << u"355"_s << none;
        // The typesetting writes "ff" as one ligature glyph.
        QTest::newRow("ligature") << u"Grundwerkstoff"_s << QStringList{u"a.pdf"_s, u"c.pdf"_s};
        QTest::newRow("number with a dot") << u"1.4571"_s << QStringList{u"c.pdf"_s};
        QTest::newRow("phrase across a line break")
            << u"\"für Schienenfahrzeuge\""_s << QStringList{u"a.pdf"_s};
        QTest::newRow("phrase with blanks")
            << u"\"  für    Schienenfahrzeuge \""_s << QStringList{u"a.pdf"_s};
        QTest::newRow("phrase in another order")
            << u"\"Schienenfahrzeuge für\""_s << QStringList{u"d.pdf"_s};
        QTest::newRow("phrase is whole words") << u"\"für Schienen\""_s << none;
        QTest::newRow("open quote runs to the end")
            << u"DIN \"Druckbehälter und"_s << QStringList{u"a.pdf"_s};
        QTest::newRow("phrase and word")
            << u"\"Schutzgas M21\" P265GH"_s << QStringList{u"b.pdf"_s};
        QTest::newRow("nothing to search") << u"+++ \"\" -"_s << none;
    }
    void matchingRules()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, files);
        QCOMPARE(found(indexPath(), input), files);
    }

    void firstHitPlacesAndExcerpt()
    {
        const QList<Hit> hits = search(indexPath(), u"S355J2"_s);
        QCOMPARE(hits.size(), 2);
        QCOMPARE(hits[0].info.page, 0);
        QCOMPARE(hits[1].info.page, 1); // c.pdf: on its second page only
        QCOMPARE(hits[1].info.hits, 1);
        QCOMPARE(hits[0].info.excerpt,
                 u"… für Schienenfahrzeuge nach DIN 6700. Grundwerkstoff \x01S355J2\x02, "
                 u"Schutzgas M21."_s);
        const QList<Hit> twice = search(indexPath(), u"für"_s);
        QCOMPARE(twice.first().info.hits, 2);

        const auto index = SearchIndex::openForSearching(indexPath());
        QCOMPARE(index->places(u"a.pdf"_s, SearchQuery::matchExpression(u"\"für "
                                                                        u"schienenfahrzeuge\" "
                                                                        u"s355"_s)),
                 QStringList({u"S355J2"_s, u"für Schienenfahrzeuge"_s}));
    }

    // The excerpts cost a read of each file's text: only the files asked for are read.
    void hitInfoOnlyForTheFilesAsked()
    {
        const auto index = SearchIndex::openForSearching(indexPath());
        const QString expression = SearchQuery::matchExpression(u"M21"_s);
        const std::vector<qint64> ids = index->matches(expression);
        QCOMPARE(ids.size(), std::size_t(3));
        QVERIFY(std::is_sorted(ids.begin(), ids.end()));
        const QHash<qint64, QString> names = index->fileNames();
        const qint64 other = names.key(u"d.pdf"_s);
        // The middle one matches too, but is not asked for.
        const QHash<qint64, HitInfo> infos = index->hitInfo(expression, {ids[2], other, ids[0]});
        QList<qint64> keys = infos.keys();
        std::sort(keys.begin(), keys.end());
        QCOMPARE(keys, (QList<qint64>{ids[0], ids[2]}));
        QCOMPARE(infos.value(ids[0]).hits, 1);
    }

    void onlyChangedFilesAreReadAgain()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"index.sqlite"_s);
        const QStringList texts = {u"Kupfer"_s, u"Nickel"_s, u"Wolfram"_s, u"Titan"_s};
        for (qsizetype i = 0; i < texts.size(); ++i)
            QVERIFY(TestPdfs::writeLinesPdf(folder.filePath(u"%1.pdf"_s.arg(i)), {texts[i]}));
        QList<SheetFile> files = sheets(folder.path(), {u"0.pdf"_s, u"1.pdf"_s, u"2.pdf"_s});
        QCOMPARE(build(path, files).read, 3);

        // 1 changed, 2 deleted, 3 added; 0 as it was.
        QVERIFY(TestPdfs::writeLinesPdf(folder.filePath(u"1.pdf"_s), {u"Mangan Chrom"_s}));
        QFile changed(folder.filePath(u"1.pdf"_s));
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(changed.setFileTime(QDateTime::currentDateTime().addSecs(10),
                                    QFileDevice::FileModificationTime));
        changed.close();
        QVERIFY(QFile::remove(folder.filePath(u"2.pdf"_s)));
        files.append({u"3.pdf"_s, folder.filePath(u"3.pdf"_s)});
        const IndexSummary second = build(path, files);
        QCOMPARE(second.read, 2);
        QCOMPARE(second.unreadable, QStringList{u"2.pdf"_s});
        QCOMPARE(found(path, u"Mangan"_s), QStringList{u"1.pdf"_s});
        QCOMPARE(found(path, u"Nickel"_s), QStringList());
        QCOMPARE(found(path, u"Wolfram"_s), QStringList());
        QCOMPARE(found(path, u"Titan"_s), QStringList{u"3.pdf"_s});

        // Nothing changed: nothing read; a file gone from the catalogue leaves the index.
        files.removeFirst();
        const IndexSummary third = build(path, files);
        QCOMPARE(third.read, 0);
        QCOMPARE(third.unreadable, QStringList{u"2.pdf"_s});
        QCOMPARE(found(path, u"Kupfer"_s), QStringList());
    }

    void damagedOrStaleIndexIsRenewed_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("no database") << u"garbage"_s;
        QTest::newRow("cut short") << u"truncated"_s;
        QTest::newRow("another catalogue") << u"catalogue"_s;
        QTest::newRow("another format") << u"format"_s;
    }
    void damagedOrStaleIndexIsRenewed()
    {
        QFETCH(QString, damage);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"index.sqlite"_s);
        const QList<SheetFile> files = m_files.mid(0, 3);
        QCOMPARE(build(path, files).renewed, false);
        if (damage == u"garbage"_s) {
            writeFile(path, QByteArray(8192, 'x'));
        } else if (damage == u"truncated"_s) {
            writeFile(path, readFile(path).left(readFile(path).size() / 2));
        } else {
            Sqlite::Connection db(path, false);
            db.execute(damage == u"format"_s ? "PRAGMA user_version = 99"
                                             : "UPDATE meta SET value = 'x' WHERE key = "
                                               "'catalogue'");
        }
        const IndexSummary again = build(path, files);
        QVERIFY(again.renewed);
        QCOMPARE(again.failure, SearchFailure());
        QCOMPARE(again.read, 3);
        QCOMPARE(found(path, u"M21"_s), (QStringList{u"a.pdf"_s, u"b.pdf"_s, u"c.pdf"_s}));
    }

    void stoppedBuildGoesOnNextTime()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"index.sqlite"_s);
        const QByteArray pdf = readFile(m_folder.filePath(u"b.pdf"_s));
        QList<SheetFile> files;
        for (int i = 0; i < 300; ++i) {
            files.append({u"%1.pdf"_s.arg(i), folder.filePath(u"%1.pdf"_s.arg(i))});
            writeFile(files.last().path, pdf);
        }
        {
            auto indexer = std::make_unique<SearchIndexer>(m_reading);
            QSignalSpy progress(indexer.get(), &SearchIndexer::progressChanged);
            indexer->start(path, Catalogue, files);
            QVERIFY(QTest::qWaitFor(
                [&] { return !progress.isEmpty() && progress.last().first().toInt() >= 5; },
                60000));
            // Destroyed half-way, as when the program ends during a build.
        }
        const IndexSummary rest = build(path, files);
        QVERIFY(rest.read < 300 - 4);
        QCOMPARE(found(path, u"P265GH"_s).size(), 300);
    }
};

QTEST_MAIN(TestSearchIndex)
#include "tst_searchindex.moc"
