// The render queue on a real document: the order of its jobs, cancelled jobs, a new document,
// and the memory bound of its cache. The queue renders on a pool of the test's, whose one
// thread the test holds while it asks for tiles, so that the jobs wait in the queue.
#include "documents/engine/core/enginedocument.h"
#include "documents/engine/core/pagelayout.h"
#include "documents/engine/core/renderqueue.h"
#include "testpdfs.h"

#include <QSemaphore>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using Priority = RenderQueue::Priority;

namespace {

// One A4 tile at 100 %: 793 x 1123 pixels of 4 bytes.
constexpr int TileKiB = 793 * 1123 * 4 / 1024;

RenderKey tileOf(int page, double zoom = 100.0)
{
    return {page, qRound(PageLayout::scaleOf(zoom) * 10000.0), 0, 100, 0};
}

QList<RenderKey> keysOf(const QSignalSpy &spy)
{
    QList<RenderKey> keys;
    for (const QList<QVariant> &arguments : spy)
        keys.append(arguments.first().value<RenderKey>());
    return keys;
}

} // namespace

char *toString(const RenderKey &key)
{
    return QTest::toString(u"page %1 zoom %2 tile %3"_s.arg(key.page).arg(key.zoom).arg(key.tile));
}

class TestRenderQueue : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::shared_ptr<const EngineDocument> m_document;
    QThreadPool m_pool;
    QSemaphore m_gate;
    int m_held = 0;

    std::shared_ptr<const EngineDocument> open(const QString &name)
    {
        EngineDocument::Status status = EngineDocument::Status::Missing;
        std::shared_ptr<const EngineDocument> document =
            EngineDocument::open(m_folder.filePath(name), &status);
        return status == EngineDocument::Status::Opened ? document : nullptr;
    }

    // Occupies the pool's one thread until release().
    void hold()
    {
        ++m_held;
        m_pool.start([this] { m_gate.acquire(); });
    }
    void release()
    {
        m_gate.release(std::exchange(m_held, 0));
        settle();
    }
    // Until every job has ended and its result has reached the queue.
    void settle()
    {
        QVERIFY(m_pool.waitForDone(60000));
        // The results arrive as events of the queue's thread.
        QCoreApplication::sendPostedEvents();
        QTest::qWait(20);
    }

private Q_SLOTS:
    void initTestCase()
    {
        qRegisterMetaType<RenderKey>();
        m_pool.setMaxThreadCount(1);
        const QStringList pages = {u"Seite eins"_s, u"Seite zwei"_s, u"Seite drei"_s,
                                   u"Seite vier"_s};
        QVERIFY(TestPdfs::writeTextPdf(m_folder.filePath(u"vier.pdf"_s), pages));
        QVERIFY(TestPdfs::writeTextPdf(m_folder.filePath(u"anderes.pdf"_s), {u"Anderes"_s}));
        m_document = open(u"vier.pdf"_s);
        QVERIFY(m_document);
    }

    // A test that failed while holding the thread lets it go.
    void cleanup() { release(); }

    void visiblePagesBeforePrefetches()
    {
        RenderQueue queue(512 * 1024, m_pool);
        queue.setDocument(m_document);
        QSignalSpy rendered(&queue, &RenderQueue::rendered);
        hold();
        queue.request(tileOf(0), Priority::Prefetch);
        queue.request(tileOf(1), Priority::Visible);
        queue.request(tileOf(2), Priority::Prefetch);
        queue.request(tileOf(3), Priority::Visible);
        release();
        QCOMPARE(keysOf(rendered), (QList<RenderKey>{tileOf(1), tileOf(3), tileOf(0), tileOf(2)}));
        for (int page = 0; page < 4; ++page) {
            const QImage *image = queue.image(tileOf(page));
            QVERIFY(image != nullptr);
            QCOMPARE(image->size(), QSize(793, 1123));
        }
    }

    void aTileOnItsWayOrCachedIsNotRenderedAgain()
    {
        RenderQueue queue(512 * 1024, m_pool);
        queue.setDocument(m_document);
        QSignalSpy rendered(&queue, &RenderQueue::rendered);
        hold();
        queue.request(tileOf(0), Priority::Prefetch);
        queue.request(tileOf(0), Priority::Visible);
        release();
        queue.request(tileOf(0), Priority::Visible);
        settle();
        QCOMPARE(rendered.count(), 1);
    }

    void onlyWantedTilesAreRendered()
    {
        RenderQueue queue(512 * 1024, m_pool);
        queue.setDocument(m_document);
        QSignalSpy rendered(&queue, &RenderQueue::rendered);
        hold();
        for (int page = 0; page < 3; ++page)
            queue.request(tileOf(page), Priority::Visible);
        queue.keepOnly({tileOf(1)});
        release();
        QCOMPARE(keysOf(rendered), QList<RenderKey>{tileOf(1)});
        QVERIFY(queue.image(tileOf(0)) == nullptr);
        QVERIFY(queue.image(tileOf(2)) == nullptr);
    }

    // The cancelled job ends after the tile was asked for anew; its empty result must not
    // take the new job's place.
    void aTileAskedForAgainAfterCancelling()
    {
        RenderQueue queue(512 * 1024, m_pool);
        queue.setDocument(m_document);
        QSignalSpy rendered(&queue, &RenderQueue::rendered);
        hold();
        queue.request(tileOf(0), Priority::Visible);
        queue.keepOnly({});
        queue.request(tileOf(0), Priority::Visible);
        release();
        QCOMPARE(keysOf(rendered), QList<RenderKey>{tileOf(0)});
        const QImage *image = queue.image(tileOf(0));
        QVERIFY(image != nullptr);
        QVERIFY(!image->isNull());
    }

    void anotherDocumentDropsTheJobsAndTheCache()
    {
        RenderQueue queue(512 * 1024, m_pool);
        queue.setDocument(m_document);
        QSignalSpy rendered(&queue, &RenderQueue::rendered);
        queue.request(tileOf(0), Priority::Visible);
        settle();
        QVERIFY(queue.image(tileOf(0)) != nullptr);
        hold();
        queue.request(tileOf(1), Priority::Visible);
        const std::shared_ptr<const EngineDocument> other = open(u"anderes.pdf"_s);
        QVERIFY(other);
        queue.setDocument(other);
        QVERIFY(queue.image(tileOf(0)) == nullptr);
        queue.request(tileOf(0), Priority::Visible);
        release();
        QCOMPARE(keysOf(rendered), (QList<RenderKey>{tileOf(0), tileOf(0)}));
        // The other document's page, not the first document's.
        QVERIFY(queue.image(tileOf(1)) == nullptr);
        QVERIFY(queue.image(tileOf(0)) != nullptr);
        queue.request(tileOf(1), Priority::Visible);
        settle();
        QCOMPARE(rendered.count(), 2); // it has one page only
    }

    void theCacheKeepsTheNewestWithinItsLimit()
    {
        RenderQueue queue(2 * TileKiB + TileKiB / 2, m_pool);
        queue.setDocument(m_document);
        for (int page = 0; page < 3; ++page) {
            queue.request(tileOf(page), Priority::Visible);
            settle();
        }
        QVERIFY(queue.image(tileOf(0)) == nullptr);
        QVERIFY(queue.image(tileOf(1)) != nullptr);
        QVERIFY(queue.image(tileOf(2)) != nullptr);
        // A lower limit pushes out the older of the two.
        queue.setCacheLimit(TileKiB + TileKiB / 2);
        QVERIFY(queue.image(tileOf(1)) == nullptr);
        QVERIFY(queue.image(tileOf(2)) != nullptr);
    }

    // Else it would be asked for again on every paint.
    void aTileLargerThanTheCacheIsKept()
    {
        RenderQueue queue(1, m_pool);
        queue.setDocument(m_document);
        queue.request(tileOf(0, 150.0), Priority::Visible);
        settle();
        const QImage *image = queue.image(tileOf(0, 150.0));
        QVERIFY(image != nullptr);
        QCOMPARE(image->size(), QSize(1190, 1684));
    }
};

QTEST_MAIN(TestRenderQueue)
#include "tst_renderqueue.moc"
