#pragma once

#include "documents/engine/core/enginedocument.h"
#include "documents/engine/core/tilegrid.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>

template<typename T>
class QFutureWatcher;

// Renders tiles on a worker thread, requests for visible pages before prefetches (each kind in
// the order asked), and keeps the results in a cache bounded in memory. Results arrive on the
// thread that owns the queue.
class RenderQueue final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RenderQueue)

public:
    enum class Priority { Prefetch = 0, Visible = 1 };

    explicit RenderQueue(int cacheKiB, QObject *parent = nullptr);
    // Renders on the caller's pool instead of a worker of its own (tests hold its thread to
    // see the order of the jobs).
    RenderQueue(int cacheKiB, QThreadPool &pool, QObject *parent = nullptr);
    ~RenderQueue() override;

    // Drops the cache and cancels every job of the previous document.
    void setDocument(std::shared_ptr<const EngineDocument> document);
    // At least what the view shows must fit, or tiles would push each other out endlessly.
    void setCacheLimit(int kiB) { m_cache.setMaxCost(kiB); }

    // The cached tile; a null image when the tile could not be rendered; nullptr when it is not
    // in the cache.
    const QImage *image(const RenderKey &key) const { return m_cache.object(key); }
    // Starts rendering the tile unless it is cached or on its way.
    void request(const RenderKey &key, Priority priority);
    // Cancels the jobs whose tiles are no longer wanted.
    void keepOnly(const QSet<RenderKey> &wanted);

    // The links of a page, known once any tile of it has been rendered.
    const QList<PageLink> *links(int page) const;

Q_SIGNALS:
    void rendered(const RenderKey &key);

private:
    struct Result
    {
        QImage image;
        QList<PageLink> links;
        bool hasLinks = false;
    };
    struct Job
    {
        std::shared_ptr<std::atomic_bool> cancel;
        QFutureWatcher<Result> *watcher = nullptr;
    };
    void finished(const RenderKey &key, QFutureWatcher<Result> *watcher);
    void cancelAll();

    std::unique_ptr<QThreadPool> m_ownPool;
    QThreadPool &m_pool;
    std::shared_ptr<const EngineDocument> m_document;
    QCache<RenderKey, QImage> m_cache;
    QHash<RenderKey, Job> m_jobs;
    QHash<int, QList<PageLink>> m_links;
};
