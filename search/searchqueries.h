#pragma once

#include "search/searchfailure.h"
#include "search/searchindex.h"
#include "search/sheetdirectory.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <vector>

// A data sheet a search found; its hit info comes separately.
struct FoundSheet
{
    qint64 id = 0; // the file's id in the index
    const SheetDirectory::Sheet *sheet = nullptr;
};

// What a search found: every sheet in the order of numbers, and where it matches for the first
// rows only (the ones on screen); the rest is asked for as it is shown (findHitInfo).
struct SearchAnswer
{
    int generation = 0;
    QString input;
    std::vector<FoundSheet> found;
    QHash<qint64, HitInfo> hitInfo;
    SearchFailure failure;
    bool damaged = false; // the index file turned out damaged and should be made anew
};

// Where to show a sheet that was found: the page of its first hit (from 0) and its matched
// texts (Fts5Extension: kbplaces).
struct Places
{
    FoundSheet sheet;
    int page = 0;
    QStringList texts;
    SearchFailure failure;
};

// Searches of the index on a thread of their own, so that typing never waits for one. Only
// the newest counts: one still running when the next is asked for is interrupted and its
// answer dropped. The connection to the index stays open between searches. Answers arrive on
// the owner's thread.
class SearchQueries final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchQueries)

public:
    explicit SearchQueries(std::shared_ptr<const SheetDirectory> sheets, QObject *parent = nullptr);
    ~SearchQueries() override;

    void setIndexPath(const QString &path);
    // Opens the index (again: the file may have been made anew) and learns which sheet each
    // of its files is, on the search thread, so that the first search finds that done;
    // prepared() follows.
    void prepare();
    // Searches for what the user typed (SearchQuery) with the hit info of the first
    // `shownRows` sheets; searched() follows. Answers the search's generation.
    int search(const QString &input, int shownRows);
    // The hit info of more sheets of the search of that generation and input; hitInfoFound()
    // follows unless a newer search came meanwhile.
    void findHitInfo(int generation, const QString &input, const std::vector<qint64> &ids);
    // Where to show a sheet found for what the user typed; placesFound() follows.
    void findPlaces(const FoundSheet &sheet, const QString &input);

Q_SIGNALS:
    void prepared();
    void searched(const SearchAnswer &answer);
    void hitInfoFound(int generation, const QHash<qint64, HitInfo> &hitInfo,
                      const SearchFailure &failure);
    void placesFound(const Places &places);

private:
    struct Shared;
    void interruptRunning();

    std::shared_ptr<Shared> m_shared;
    QThreadPool m_pool;
};
