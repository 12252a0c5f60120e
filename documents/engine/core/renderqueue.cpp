#include "documents/engine/core/renderqueue.h"

#include <QFutureWatcher>
#include <QSet>
#include <QtConcurrent/qtconcurrenttask.h>

RenderQueue::RenderQueue(int cacheKiB, QObject *parent)
    : QObject(parent)
    , m_ownPool(std::make_unique<QThreadPool>())
    , m_pool(*m_ownPool)
    , m_cache(cacheKiB)
{
    // Poppler renders one page of a document at a time anyway (see EngineDocument).
    m_pool.setMaxThreadCount(1);
}

RenderQueue::RenderQueue(int cacheKiB, QThreadPool &pool, QObject *parent)
    : QObject(parent)
    , m_pool(pool)
    , m_cache(cacheKiB)
{
}

RenderQueue::~RenderQueue()
{
    // Jobs hold the document and their flag themselves; those still queued end at once.
    cancelAll();
    if (m_ownPool)
        m_pool.waitForDone();
}

void RenderQueue::cancelAll()
{
    for (const Job &job : std::as_const(m_jobs))
        job.cancel->store(true);
    m_jobs.clear();
}

void RenderQueue::setDocument(std::shared_ptr<const EngineDocument> document)
{
    cancelAll();
    m_cache.clear();
    m_links.clear();
    m_document = std::move(document);
}

const QList<PageLink> *RenderQueue::links(int page) const
{
    const auto it = m_links.constFind(page);
    return it == m_links.constEnd() ? nullptr : &*it;
}

void RenderQueue::request(const RenderKey &key, Priority priority)
{
    if (!m_document || key.page < 0 || key.page >= m_document->pageCount() ||
        m_cache.contains(key) || m_jobs.contains(key))
        return;
    const TileGrid grid(m_document->pageSize(key.page), key);
    const QRect region = grid.tile(key.tile);
    auto cancel = std::make_shared<std::atomic_bool>(false);
    const bool wantLinks = !m_links.contains(key.page);
    auto work = [document = m_document, key, grid, region, cancel, wantLinks] {
        Result result;
        result.image = document->render(key.page, grid.pagePixels, region, cancel.get());
        result.image.setDevicePixelRatio(key.devicePixelRatio());
        if (wantLinks && !cancel->load()) {
            result.links = document->links(key.page);
            result.hasLinks = true;
        }
        return result;
    };
    auto *watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this,
            [this, key, watcher] { finished(key, watcher); });
    watcher->setFuture(QtConcurrent::task(std::move(work))
                           .withPriority(int(priority))
                           .onThreadPool(m_pool)
                           .spawn());
    m_jobs.insert(key, Job{cancel, watcher});
}

void RenderQueue::keepOnly(const QSet<RenderKey> &wanted)
{
    for (auto it = m_jobs.begin(); it != m_jobs.end();) {
        if (wanted.contains(it.key())) {
            ++it;
            continue;
        }
        it->cancel->store(true);
        it = m_jobs.erase(it);
    }
}

void RenderQueue::finished(const RenderKey &key, QFutureWatcher<Result> *watcher)
{
    watcher->deleteLater();
    const auto it = m_jobs.constFind(key);
    // A job of an earlier document or one cancelled meanwhile: its result is stale.
    if (it == m_jobs.constEnd() || it->watcher != watcher)
        return;
    m_jobs.erase(it);
    Result result = watcher->result();
    if (result.hasLinks)
        m_links.insert(key.page, std::move(result.links));
    const qsizetype cost =
        std::clamp<qsizetype>(result.image.sizeInBytes() / 1024, 1, m_cache.maxCost());
    m_cache.insert(key, new QImage(std::move(result.image)), cost);
    Q_EMIT rendered(key);
}
