#include "documents/search/searchqueries.h"

#include "documents/search/searchquery.h"
#include "documents/search/sqlitedb.h"

#include <QFuture>
#include <QMutexLocker>
#include <QtConcurrent>

#include <algorithm>

struct SearchQueries::Answer
{
    QList<IndexHit> hits;
    QStringList places;
    QString error;
    bool damaged = false;
};

namespace {

// Opens the index, has `work` use it and keeps it where an interrupt reaches it meanwhile.
template<typename Work>
void withIndex(const QString &path, auto &running, auto &answer, Work work)
{
    try {
        const std::unique_ptr<SearchIndex> index = SearchIndex::openForSearching(path);
        {
            QMutexLocker lock(&running->mutex);
            running->index = index.get();
        }
        const auto release = qScopeGuard([&] {
            QMutexLocker lock(&running->mutex);
            running->index = nullptr;
        });
        work(*index);
    } catch (const Sqlite::Error &error) {
        if (!error.isInterrupt())
            answer.error = QString::fromUtf8(error.what());
        answer.damaged = error.isDamage();
    }
}

} // namespace

SearchQueries::SearchQueries(QObject *parent)
    : QObject(parent)
    , m_running(std::make_shared<Running>())
    , m_generation(std::make_shared<std::atomic_int>(0))
{
    m_pool.setMaxThreadCount(1);
}

SearchQueries::~SearchQueries()
{
    ++*m_generation;
    interruptRunning();
    m_pool.waitForDone();
}

void SearchQueries::interruptRunning()
{
    QMutexLocker lock(&m_running->mutex);
    if (m_running->index != nullptr)
        m_running->index->interrupt();
}

void SearchQueries::search(const QString &input)
{
    const int generation = ++*m_generation;
    interruptRunning();
    const QString expression = SearchQuery::matchExpression(input);
    if (expression.isEmpty()) {
        Q_EMIT searched(input, {}, {}, false);
        return;
    }
    QtConcurrent::run(&m_pool, [path = m_path, running = m_running, latest = m_generation,
                                generation, expression] {
        Answer answer;
        // A search not yet begun when a newer one came is out of date.
        if (generation != latest->load())
            return answer;
        withIndex(path, running, answer,
                  [&](SearchIndex &index) { answer.hits = index.search(expression); });
        std::sort(answer.hits.begin(), answer.hits.end(), [](const IndexHit &a, const IndexHit &b) {
            return a.hits != b.hits ? a.hits > b.hits : a.file < b.file;
        });
        return answer;
    }).then(this, [this, generation, input](const Answer &answer) {
        if (generation == m_generation->load())
            Q_EMIT searched(input, answer.hits, answer.error, answer.damaged);
    });
}

void SearchQueries::findPlaces(const QString &fileName, const QString &input)
{
    const QString expression = SearchQuery::matchExpression(input);
    QtConcurrent::run(&m_pool, [path = m_path, running = m_running, expression, fileName] {
        Answer answer;
        if (!expression.isEmpty()) {
            withIndex(path, running, answer, [&](SearchIndex &index) {
                answer.places = index.places(fileName, expression);
            });
        }
        return answer;
    }).then(this, [this, fileName](const Answer &answer) {
        Q_EMIT placesFound(fileName, answer.places);
    });
}
