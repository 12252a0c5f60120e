#pragma once

#include "documents/search/searchindex.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Searches of the index on a thread of their own, so that typing never waits for one. Only
// the newest counts: one still running when the next is asked for is interrupted and its
// answer dropped. Answers arrive on the owner's thread.
class SearchQueries final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchQueries)

public:
    explicit SearchQueries(QObject *parent = nullptr);
    ~SearchQueries() override;

    void setIndexPath(const QString &path) { m_path = path; }
    // Searches for what the user typed (SearchQuery); searched() follows, hits ordered by
    // their number, most first, then by file name.
    void search(const QString &input);
    // The matched texts of one file for what the user typed; placesFound() follows.
    void findPlaces(const QString &fileName, const QString &input);

Q_SIGNALS:
    // `damaged`: the index file turned out damaged and should be made anew.
    void searched(const QString &input, const QList<IndexHit> &hits, const QString &error,
                  bool damaged);
    void placesFound(const QString &fileName, const QStringList &places);

private:
    struct Running
    {
        QMutex mutex;
        SearchIndex *index = nullptr;
    };
    struct Answer;
    void interruptRunning();

    QString m_path;
    QThreadPool m_pool;
    std::shared_ptr<Running> m_running;
    std::shared_ptr<std::atomic_int> m_generation; // of the newest search
};
