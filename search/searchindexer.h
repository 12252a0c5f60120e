#pragma once

#include "search/searchfailure.h"
#include "search/sheetreaders.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QPromise>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

// A data sheet's PDF: its file name (the index's key) and its path.
struct SheetFile
{
    QString name;
    QString path;
};

// What a run of the indexer did.
struct IndexSummary
{
    int files = 0;          // the catalogue's distinct files
    int read = 0;           // read in this run
    QStringList unreadable; // names of the files without text: missing, damaged, locked
    QStringList partial;    // names of the files read only in part (ReadLimits)
    bool renewed = false;   // a damaged, stale or foreign index file was replaced
    bool cancelled = false;
    SearchFailure failure; // why the index is not up to date; null when it is
};

// Brings a catalogue's full-text index up to date in the background: files that are new or
// whose size or time changed are read (by reader processes, several at a time, within the
// limits of `reading`), files that are gone from the catalogue are dropped, the rest is left
// as it is. Signals arrive on the owner's thread. Destroying it cancels a run and waits for
// it, which the readers' end makes short.
class SearchIndexer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchIndexer)

public:
    explicit SearchIndexer(TextReading reading, QObject *parent = nullptr);
    ~SearchIndexer() override;

    // Starts a run for the index file `path` of `catalogue` (a text naming the catalogue; an
    // index of another is replaced). With `renew` the file is made anew. A run in progress is
    // cancelled first and this one follows it.
    void start(const QString &path, const QString &catalogue, const QList<SheetFile> &files,
               bool renew = false);
    void cancel();
    bool isRunning() const;

Q_SIGNALS:
    // The index file can be searched from now on (its texts may still be coming in).
    void indexOpened();
    void progressChanged(int done, int total);
    void finished(const IndexSummary &summary);

private:
    struct Run;
    void launch(Run run);
    // The run itself, on the run's thread; raises what went wrong.
    static IndexSummary update(const Run &run, const TextReading &reading,
                               QPromise<IndexSummary> &promise, const std::atomic_bool &cancel,
                               const std::function<void()> &opened);
    void runFinished();

    TextReading m_reading;
    QThreadPool m_runs; // the run: planning, driving the readers, writing
    QFutureWatcher<IndexSummary> m_watcher;
    std::shared_ptr<std::atomic_bool> m_cancel;
    std::unique_ptr<Run> m_next;
};
