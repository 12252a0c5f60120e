// The engine's document: what opening tells about a file, unlocking with a password, the page
// sizes, and its members called from several threads while it is unlocked and renders (the
// ThreadSanitizer job runs this suite too).
#include "documents/engine/core/enginedocument.h"
#include "testpdfs.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <latch>
#include <thread>

using namespace Qt::StringLiterals;
using Status = EngineDocument::Status;

namespace {

constexpr QSizeF A4(595.0, 842.0);
const QString Password = u"Schweißnaht"_s;

} // namespace

class TestEngineDocument : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    bool m_haveProtected = false;

    QString file(const QString &name) const { return m_folder.filePath(name); }

    std::unique_ptr<EngineDocument> openProtected()
    {
        Status status = Status::Missing;
        std::unique_ptr<EngineDocument> document =
            EngineDocument::open(file(u"geschützt.pdf"_s), &status);
        if (status != Status::Locked)
            qWarning("the protected file opened with status %d", int(status));
        return document;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(TestPdfs::writeTextPdf(file(u"drei.pdf"_s),
                                       {u"Seite eins"_s, u"Seite zwei"_s, u"Seite drei"_s}));
        QVERIFY(TestPdfs::writeTextPdf(file(u"quer.pdf"_s), {u"Quer"_s}, QSizeF(842, 595)));
        QVERIFY(TestPdfs::writeUnshowablePdfs(m_folder.path()));
        m_haveProtected =
            TestPdfs::encryptWithQpdf(file(u"drei.pdf"_s), file(u"geschützt.pdf"_s), Password);
    }

    void opening_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("status");
        QTest::addColumn<QList<QSizeF>>("pages");
        QTest::newRow("three pages")
            << u"drei.pdf"_s << int(Status::Opened) << QList<QSizeF>{A4, A4, A4};
        QTest::newRow("landscape")
            << u"quer.pdf"_s << int(Status::Opened) << QList<QSizeF>{QSizeF(842, 595)};
        QTest::newRow("missing") << u"fehlt.pdf"_s << int(Status::Missing) << QList<QSizeF>();
        QTest::newRow("a folder") << QString() << int(Status::Missing) << QList<QSizeF>();
        QTest::newRow("empty") << u"leer.pdf"_s << int(Status::Empty) << QList<QSizeF>();
        QTest::newRow("not a PDF") << u"text.pdf"_s << int(Status::Damaged) << QList<QSizeF>();
        QTest::newRow("no pages") << u"ohne Seiten.pdf"_s << int(Status::NoPages)
                                  << QList<QSizeF>();
    }
    void opening()
    {
        QFETCH(QString, name);
        QFETCH(int, status);
        QFETCH(QList<QSizeF>, pages);
        Status opened = Status::Locked;
        const std::unique_ptr<EngineDocument> document = EngineDocument::open(file(name), &opened);
        QCOMPARE(int(opened), status);
        // Only an opened document is handed out.
        QCOMPARE(document != nullptr, opened == Status::Opened);
        if (!document)
            return;
        QCOMPARE(document->status(), Status::Opened);
        QCOMPARE(document->pageCount(), pages.size());
        QCOMPARE(document->pageSizes(), pages);
        for (int page = 0; page < pages.size(); ++page)
            QCOMPARE(document->pageSize(page), pages.at(page));
        QVERIFY(!document->neededPassword());
    }

    void aPageOutOfRangeHasNoSize()
    {
        Status status = Status::Missing;
        const std::unique_ptr<EngineDocument> document =
            EngineDocument::open(file(u"drei.pdf"_s), &status);
        QVERIFY(document);
        QCOMPARE(document->pageSize(3), QSizeF());
        QCOMPARE(document->pageSize(-1), QSizeF());
    }

    void unlocking()
    {
        if (!m_haveProtected)
            QSKIP("qpdf is not installed");
        const std::unique_ptr<EngineDocument> document = openProtected();
        QVERIFY(document);
        QCOMPARE(document->status(), Status::Locked);
        QVERIFY(document->isLocked());
        QCOMPARE(document->pageCount(), 0);
        QVERIFY(!document->unlock(u"falsch"_s));
        QCOMPARE(document->pageCount(), 0);
        QVERIFY(document->unlock(Password));
        QVERIFY(!document->isLocked());
        QCOMPARE(document->status(), Status::Opened);
        QCOMPARE(document->pageSizes(), (QList<QSizeF>{A4, A4, A4}));
        QVERIFY(document->neededPassword());
        QVERIFY(document->unlock(u"egal"_s)); // open already
    }

    // Each reader asks one member over and over on a thread of its own, so that a member
    // without the lock meets the unlocking thread unordered (ThreadSanitizer reports it). Each
    // sees the locked document or the opened one, never a part of it; two more threads render.
    void membersFromAnyThread()
    {
        if (!m_haveProtected)
            QSKIP("qpdf is not installed");
        const std::unique_ptr<EngineDocument> document = openProtected();
        QVERIFY(document);
        // Each answers whether it saw the opened document, and counts what it saw half.
        std::atomic_int halfSeen = 0;
        const std::function<bool()> readers[] = {
            [&] {
                const int count = document->pageCount();
                halfSeen += count != 0 && count != 3;
                return count == 3;
            },
            [&] {
                const QList<QSizeF> sizes = document->pageSizes();
                halfSeen += !sizes.isEmpty() && sizes != QList<QSizeF>{A4, A4, A4};
                return !sizes.isEmpty();
            },
            [&] {
                const QSizeF first = document->pageSize(0);
                halfSeen += !first.isEmpty() && first != A4;
                return !first.isEmpty();
            },
            [&] { return document->status() == Status::Opened; },
        };
        const int readerCount = int(std::size(readers));
        std::latch started(readerCount + 1);
        std::atomic_int openedSeen = 0;
        std::atomic_bool failed = false;
        std::vector<std::thread> threads;
        for (const std::function<bool()> &reader : readers) {
            threads.emplace_back([&] {
                started.arrive_and_wait();
                while (!failed && !reader())
                    ;
                ++openedSeen;
            });
        }
        started.arrive_and_wait();
        const bool unlocked = document->unlock(Password);
        failed = !unlocked;
        QImage rendered[2];
        for (int i = 0; i < 2; ++i)
            threads.emplace_back([&, i] {
                rendered[i] = document->render(i, QSize(298, 421), QRect(0, 0, 298, 421), nullptr);
            });
        for (std::thread &thread : threads)
            thread.join();
        QVERIFY(unlocked);
        QCOMPARE(halfSeen.load(), 0);
        QCOMPARE(openedSeen.load(), readerCount);
        for (const QImage &image : rendered)
            QCOMPARE(image.size(), QSize(298, 421));
    }
};

QTEST_MAIN(TestEngineDocument)
#include "tst_enginedocument.moc"
