#include "search/searchqueries.h"

#include "search/searchquery.h"
#include "search/sqlitedb.h"

#include <QFuture>
#include <QMutex>
#include <QMutexLocker>
#include <QtConcurrent>

#include <algorithm>

// What the searches share with the thread they run on. The index connection and the ids'
// sheets belong to that thread (one search at a time); the mutex guards what the owner's
// thread touches: the path, the request to reopen, and the connection while it is
// interrupted.
struct SearchQueries::Shared
{
    explicit Shared(std::shared_ptr<const SheetDirectory> sheets)
        : sheets(std::move(sheets))
    {
    }

    const std::shared_ptr<const SheetDirectory> sheets;
    std::atomic_int generation = 0; // of the newest search

    QMutex mutex;
    QString path;
    bool reopen = false;
    std::unique_ptr<SearchIndex> index;
    QHash<qint64, const SheetDirectory::Sheet *> byId; // files of the index the catalogue has

    // The open index, opened anew when asked to; raises Sqlite::Error.
    SearchIndex &connection()
    {
        QMutexLocker lock(&mutex);
        if (reopen || !index) {
            reopen = false;
            index.reset();
            byId.clear();
            const QString file = path;
            lock.unlock();
            std::unique_ptr<SearchIndex> opened = SearchIndex::openForSearching(file);
            lock.relock();
            index = std::move(opened);
        }
        return *index;
    }

    void dropConnection()
    {
        QMutexLocker lock(&mutex);
        index.reset();
        byId.clear();
    }

    void learnSheets(SearchIndex &index)
    {
        const QHash<qint64, QString> names = index.fileNames();
        byId.clear();
        byId.reserve(names.size());
        for (auto name = names.cbegin(); name != names.cend(); ++name)
            byId.insert(name.key(), sheets->find(name.value()));
    }

    // The found files' sheets by number; files the catalogue does not know are left
    // out. Names are read again when an id is new (the index grows while it is built).
    std::vector<FoundSheet> sheetsOf(SearchIndex &index, const std::vector<qint64> &ids)
    {
        std::vector<FoundSheet> found;
        found.reserve(ids.size());
        bool reread = false;
        for (const qint64 id : ids) {
            auto known = byId.constFind(id);
            if (known == byId.cend() && !reread) {
                reread = true;
                learnSheets(index);
                known = byId.constFind(id);
            }
            if (known != byId.cend() && known.value() != nullptr)
                found.push_back({id, known.value()});
        }
        std::sort(found.begin(), found.end(), [](const FoundSheet &a, const FoundSheet &b) {
            return a.sheet->order < b.sheet->order;
        });
        return found;
    }

    // Runs `work` on the index; an interrupt is no failure, a damaged file says so.
    template<typename Work>
    void withIndex(SearchFailure &failure, bool *damaged, Work work)
    {
        try {
            work(connection());
        } catch (const Sqlite::Error &error) {
            if (!error.isInterrupt()) {
                failure = searchFailure(std::current_exception(), path);
                if (damaged != nullptr)
                    *damaged = error.isDamage();
                dropConnection();
            }
        } catch (...) {
            failure = searchFailure(std::current_exception(), path);
            dropConnection();
        }
    }
};

SearchQueries::SearchQueries(std::shared_ptr<const SheetDirectory> sheets, QObject *parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>(std::move(sheets)))
{
    m_pool.setMaxThreadCount(1);
}

SearchQueries::~SearchQueries()
{
    ++m_shared->generation;
    interruptRunning();
    m_pool.waitForDone();
}

void SearchQueries::setIndexPath(const QString &path)
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->path = path;
    m_shared->reopen = true;
}

void SearchQueries::prepare()
{
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->reopen = true;
    }
    QtConcurrent::run(&m_pool, [shared = m_shared] {
        SearchFailure failure; // the next search meets it again and says so
        shared->withIndex(failure, nullptr,
                          [&](SearchIndex &index) { shared->learnSheets(index); });
    }).then(this, [this] { Q_EMIT prepared(); });
}

void SearchQueries::interruptRunning()
{
    QMutexLocker lock(&m_shared->mutex);
    if (m_shared->index)
        m_shared->index->interrupt();
}

int SearchQueries::search(const QString &input, int shownRows)
{
    const int generation = ++m_shared->generation;
    interruptRunning();
    const QString expression = SearchQuery::matchExpression(input);
    if (expression.isEmpty()) {
        SearchAnswer answer;
        answer.generation = generation;
        answer.input = input;
        Q_EMIT searched(answer);
        return generation;
    }
    QtConcurrent::run(&m_pool, [shared = m_shared, generation, expression, input, shownRows] {
        SearchAnswer answer;
        answer.generation = generation;
        answer.input = input;
        // A search not yet begun when a newer one came is out of date.
        if (generation != shared->generation.load())
            return answer;
        shared->withIndex(answer.failure, &answer.damaged, [&](SearchIndex &index) {
            answer.found = shared->sheetsOf(index, index.matches(expression));
            std::vector<qint64> first;
            for (std::size_t i = 0; i < answer.found.size() && i < std::size_t(shownRows); ++i)
                first.push_back(answer.found[i].id);
            answer.hitInfo = index.hitInfo(expression, first);
        });
        return answer;
    }).then(this, [this](const SearchAnswer &answer) {
        if (answer.generation == m_shared->generation.load())
            Q_EMIT searched(answer);
    });
    return generation;
}

void SearchQueries::findHitInfo(int generation, const QString &input,
                                const std::vector<qint64> &ids)
{
    const QString expression = SearchQuery::matchExpression(input);
    QtConcurrent::run(&m_pool,
                      [shared = m_shared, generation, expression, ids] {
                          std::pair<QHash<qint64, HitInfo>, SearchFailure> answer;
                          // Rows of a search that a newer one replaced are no longer shown.
                          if (generation == shared->generation.load() && !expression.isEmpty()) {
                              shared->withIndex(answer.second, nullptr, [&](SearchIndex &index) {
                                  answer.first = index.hitInfo(expression, ids);
                              });
                          }
                          return answer;
                      })
        .then(this,
              [this, generation](const std::pair<QHash<qint64, HitInfo>, SearchFailure> &answer) {
                  if (generation == m_shared->generation.load())
                      Q_EMIT hitInfoFound(generation, answer.first, answer.second);
              });
}

void SearchQueries::findPlaces(const FoundSheet &sheet, const QString &input)
{
    const QString expression = SearchQuery::matchExpression(input);
    QtConcurrent::run(&m_pool, [shared = m_shared, expression, sheet] {
        Places places;
        places.sheet = sheet;
        if (!expression.isEmpty()) {
            shared->withIndex(places.failure, nullptr, [&](SearchIndex &index) {
                places.texts = index.places(sheet.sheet->file, expression);
                places.page = index.hitInfo(expression, {sheet.id}).value(sheet.id).page;
            });
        }
        return places;
    }).then(this, [this](const Places &places) { Q_EMIT placesFound(places); });
}
