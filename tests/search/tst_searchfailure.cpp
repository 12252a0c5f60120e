// Failures of the full-text search in German, with SQLite's own words only in the detail: how
// each kind of failure is named, and real ones from the index build: a cache folder that
// cannot be made or written, a full disk (a small tmpfs, where the test may mount one), and a
// damaged index under a search.
#include "catalogue/loadedcatalogue.h"
#include "catalogue/tkennblattliste.h"
#include "search/searchfailure.h"
#include "search/searchindex.h"
#include "search/searchindexer.h"
#include "search/searchqueries.h"
#include "search/sqlitedb.h"
#include "testfiles.h"
#include "testpdfs.h"
#include "tmpfsmount.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <sys/mount.h>

#include <unistd.h>

#include <functional>

using namespace Qt::StringLiterals;

using Thrower = std::function<void()>;
Q_DECLARE_METATYPE(Thrower)

namespace {

const QString Catalogue = u"Testkatalog"_s;

} // namespace

class TestSearchFailure : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<SheetFile> m_files;

    IndexSummary build(const QString &indexPath)
    {
        SearchIndexer indexer({QStringLiteral(KB_TEXTREADER), QStringLiteral(PDF_ENGINE)});
        QSignalSpy finished(&indexer, &SearchIndexer::finished);
        indexer.start(indexPath, Catalogue, m_files);
        if (!finished.wait(60000))
            return {};
        return finished.first().first().value<IndexSummary>();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Enough text that a small disk fills.
        for (int i = 0; i < 12; ++i) {
            QStringList pages;
            for (int page = 0; page < 4; ++page) {
                QString text;
                for (int line = 0; line < 40; ++line)
                    text += u"Blatt %1 Seite %2 Zeile %3 Grundwerkstoff S355J2 Schutzgas M21 "
                            u"Kerbschlagarbeit\n"_s.arg(i)
                                .arg(page)
                                .arg(line);
                pages.append(text);
            }
            const QString name = u"%1.pdf"_s.arg(i);
            QVERIFY(TestPdfs::writeLinesPdf(m_dir.filePath(name), pages));
            m_files.append({name, m_dir.filePath(name)});
        }
    }

    void eachFailureIsNamed_data()
    {
        QTest::addColumn<Thrower>("thrower");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("detail"); // a part of it
        const QString folder = QDir::toNativeSeparators(u"/cache/kb"_s);
        const auto sqlite = [](int code, const char *message) {
            return Thrower([=] { throw Sqlite::Error(code, message); });
        };
        QTest::newRow("disk full") << sqlite(SQLITE_FULL, "database or disk is full")
                                   << u"Kein Platz für den Suchindex: der Datenträger ist voll"_s
                                   << u"SQLite-Fehler 13: database or disk is full"_s;
        QTest::newRow("write error, extended code")
            << sqlite(SQLITE_IOERR_WRITE, "disk I/O error")
            << u"Lese- oder Schreibfehler beim Suchindex"_s << u"SQLite-Fehler 778"_s;
        QTest::newRow("read-only")
            << sqlite(SQLITE_READONLY, "attempt to write a readonly database")
            << u"Der Ordner des Suchindex ist nicht beschreibbar: "_s + folder
            << u"Datei: "_s + folder;
        QTest::newRow("cannot open")
            << sqlite(SQLITE_CANTOPEN, "unable to open database file")
            << u"Der Ordner des Suchindex ist nicht beschreibbar: "_s + folder
            << u"unable to open"_s;
        QTest::newRow("damaged") << sqlite(SQLITE_CORRUPT, "database disk image is malformed")
                                 << u"Der Suchindex ist beschädigt"_s << u"malformed"_s;
        QTest::newRow("no database") << sqlite(SQLITE_NOTADB, "file is not a database")
                                     << u"Der Suchindex ist beschädigt"_s << u"not a database"_s;
        QTest::newRow("locked") << sqlite(SQLITE_BUSY, "database is locked")
                                << u"Der Suchindex ist von einem anderen Programm gesperrt"_s
                                << u"locked"_s;
        QTest::newRow("no memory for SQLite")
            << sqlite(SQLITE_NOMEM, "out of memory")
            << u"Zu wenig Arbeitsspeicher für den Suchindex"_s << u"out of memory"_s;
        QTest::newRow("other SQLite") << sqlite(SQLITE_MISMATCH, "datatype mismatch")
                                      << u"Unerwarteter Fehler im Suchindex"_s << u"mismatch"_s;
        QTest::newRow("cache folder")
            << Thrower([] { throw CacheFolderError("mkpath failed"); })
            << u"Der Ordner des Suchindex kann nicht angelegt werden: "_s + folder
            << u"mkpath failed"_s;
        QTest::newRow("reader") << Thrower([] { throw ReaderStartError("kb-textreader: fehlt"); })
                                << u"Die Kennblätter können nicht gelesen werden: das "
                                   u"Leseprogramm startet nicht"_s
                                << u"kb-textreader: fehlt"_s;
        QTest::newRow("no memory")
            << Thrower([] { throw std::bad_alloc(); })
            << u"Zu wenig Arbeitsspeicher für die Volltextsuche"_s << u"bad_alloc"_s;
        QTest::newRow("any other") << Thrower([] { throw std::logic_error("kaputt"); })
                                   << u"Unerwarteter Fehler bei der Volltextsuche"_s << u"kaputt"_s;
        QTest::newRow("no exception class")
            << Thrower([] { throw 42; }) << u"Unerwarteter Fehler bei der Volltextsuche"_s
            << u"unbekannte Ausnahme"_s;
    }
    void eachFailureIsNamed()
    {
        QFETCH(Thrower, thrower);
        QFETCH(QString, text);
        QFETCH(QString, detail);
        std::exception_ptr error;
        try {
            thrower();
        } catch (...) {
            error = std::current_exception();
        }
        const SearchFailure failure = searchFailure(error, u"/cache/kb/volltext.sqlite"_s);
        QCOMPARE(failure.text, text);
        QVERIFY2(failure.detail.contains(detail), qPrintable(failure.detail));
    }

    // A file where the folder should be: the folder cannot be made.
    void cacheFolderThatCannotBeMade()
    {
        writeFile(m_dir.filePath(u"datei"_s), "x");
        const IndexSummary summary = build(m_dir.filePath(u"datei/cache/index.sqlite"_s));
        QCOMPARE(summary.failure.text,
                 u"Der Ordner des Suchindex kann nicht angelegt werden: "_s +
                     QDir::toNativeSeparators(m_dir.filePath(u"datei/cache"_s)));
        QCOMPARE(summary.cancelled, false);
    }

    void readOnlyCacheFolder()
    {
        const QString folder = m_dir.filePath(u"nurlesen"_s);
        QVERIFY(QDir().mkpath(folder));
        std::optional<TmpfsMount> readOnly;
        if (geteuid() == 0) {
            // Folder permissions do not bind root; a read-only file system does.
            readOnly.emplace(folder, "size=1m", MS_RDONLY);
            if (!readOnly->mounted())
                QSKIP("root without the right to mount: no read-only folder to test with");
        } else {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
        const IndexSummary summary = build(folder + u"/index.sqlite"_s);
        QCOMPARE(summary.failure.text, u"Der Ordner des Suchindex ist nicht beschreibbar: "_s +
                                           QDir::toNativeSeparators(folder));
        QVERIFY(summary.failure.detail.contains(u"SQLite-Fehler"_s));
    }

    void diskFull()
    {
        const QString folder = m_dir.filePath(u"klein"_s);
        QVERIFY(QDir().mkpath(folder));
        const TmpfsMount small(folder, "size=160k");
        if (!small.mounted())
            QSKIP("no right to mount a small tmpfs (needs root with CAP_SYS_ADMIN)");
        const IndexSummary summary = build(folder + u"/index.sqlite"_s);
        QCOMPARE(summary.failure.text, u"Kein Platz für den Suchindex: der Datenträger ist voll"_s);
        QVERIFY2(summary.failure.detail.contains(u"SQLite-Fehler 13"_s),
                 qPrintable(summary.failure.detail));
    }

    // A search that meets a damaged file says so, for the window to build the index anew.
    void damagedIndexUnderASearch()
    {
        const QString path = m_dir.filePath(u"beschädigt.sqlite"_s);
        writeFile(path, QByteArray(8192, 'x'));
        TKennblattListe catalogue;
        SearchQueries queries(
            std::make_shared<const SheetDirectory>(catalogue, LoadedCatalogue(), "/"));
        queries.setIndexPath(path);
        QSignalSpy searched(&queries, &SearchQueries::searched);
        queries.search(u"S355J2"_s, 10);
        QVERIFY(searched.wait(10000));
        const auto answer = searched.first().first().value<SearchAnswer>();
        QVERIFY(answer.damaged);
        QCOMPARE(answer.failure.text, u"Der Suchindex ist beschädigt"_s);
        QVERIFY(answer.found.empty());
    }
};

QTEST_MAIN(TestSearchFailure)
#include "tst_searchfailure.moc"
