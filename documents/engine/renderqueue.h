#pragma once

#include "documents/engine/enginedocument.h"

#include <QCache>
#include <QHash>
#include <QHashFunctions>
#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>

template<typename T>
class QFutureWatcher;

// One rendered piece of a page. Large pages are cut into tiles so that a high zoom renders
// only what is seen.
struct RenderKey
{
    int page = 0;
    int zoom = 0;     // logical pixels per point, times 10,000
    int rotation = 0; // degrees; pages are shown with their own rotation only
    int dpr = 100;    // device pixel ratio, times 100
    int tile = 0;

    bool operator==(const RenderKey &) const = default;
    double scale() const { return zoom / 10000.0; }
    double devicePixelRatio() const { return dpr / 100.0; }
};

inline size_t qHash(const RenderKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.page, key.zoom, key.rotation, key.dpr, key.tile);
}

// How a page of a given size is cut into tiles at the scale of a key.
struct TileGrid
{
    static constexpr int TileSize = 2048; // device pixels

    TileGrid(QSizeF pagePoints, const RenderKey &key);
    int count() const { return columns * rows; }
    QRect tile(int index) const; // in the page's device pixels

    QSize pagePixels;
    int columns = 1;
    int rows = 1;
};

// Renders tiles on a worker thread, newest requests for visible pages first, and keeps the
// results in a cache bounded in memory. Results arrive on the thread that owns the queue.
class RenderQueue final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RenderQueue)

public:
    enum class Priority { Prefetch = 0, Visible = 1 };

    explicit RenderQueue(int cacheKiB, QObject *parent = nullptr);
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

    QThreadPool m_pool;
    std::shared_ptr<const EngineDocument> m_document;
    QCache<RenderKey, QImage> m_cache;
    QHash<RenderKey, Job> m_jobs;
    QHash<int, QList<PageLink>> m_links;
};
