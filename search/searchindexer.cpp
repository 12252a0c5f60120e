#include "search/searchindexer.h"

#include "documents/pdfviewcommands.h"
#include "platform/backgroundtask.h"
#include "search/searchindex.h"
#include "search/sqlitedb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPromise>
#include <QSet>

#include <optional>

using namespace Qt::StringLiterals;
using PDFViewCommands::ExtractMissing;

namespace {

// Files written per transaction: few enough that a cancelled run loses little.
constexpr int Batch = 100;
// After this many files read, the index's pieces are merged (quicker searches).
constexpr int TidyAfter = 200;

struct Planned
{
    SheetFile file;
    FileStamp stamp;
};

FileStamp stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

// The pages' text as the index stores it: pages separated by "\f", no control characters
// but line breaks (the excerpt's markers are control characters), and in compatibility form,
// which composes letters and undoes the ligatures of typesetting ("ﬀ" is "ff").
QString indexText(QStringList pages)
{
    for (QString &page : pages) {
        for (QChar &c : page) {
            if (c.unicode() < 0x20 && c != u'\n')
                c = u' ';
        }
    }
    return pages.join(u'\f').normalized(QString::NormalizationForm_KC);
}

// Names a file in the summary by its state in the index: unreadable, or read in part.
void note(IndexSummary &summary, const QString &name, qint32 state)
{
    if (state == SearchIndex::ReadPartly)
        summary.partial.append(name);
    else if (state != 0)
        summary.unreadable.append(name);
}

// What changed since the last run: the files to read. Files that are gone from the catalogue
// are dropped from the index, missing ones stored as missing; the summary counts the files and
// names those known to have no text.
QList<Planned> plan(SearchIndex &index, const QList<SheetFile> &files, IndexSummary &summary)
{
    QHash<QString, StoredFile> stored = index.storedFiles();
    QList<Planned> toRead;
    QSet<QString> seen;
    index.begin();
    for (const SheetFile &file : files) {
        if (seen.contains(file.name))
            continue;
        seen.insert(file.name);
        const FileStamp stamp = stampOf(file.path);
        const std::optional<StoredFile> known =
            stored.contains(file.name) ? std::optional(stored.take(file.name)) : std::nullopt;
        if (known && known->stamp == stamp) {
            note(summary, file.name, known->state);
        } else if (stamp.size < 0) {
            index.store(file.name, stamp, ExtractMissing, {});
            note(summary, file.name, ExtractMissing);
        } else {
            toRead.append({file, stamp});
        }
    }
    for (auto gone = stored.cbegin(); gone != stored.cend(); ++gone)
        index.remove(gone.key());
    index.commit();
    summary.files = int(seen.size());
    return toRead;
}

} // namespace

struct SearchIndexer::Run
{
    QString path;
    QString catalogue;
    QList<SheetFile> files;
    bool renew = false;
};

IndexSummary SearchIndexer::update(const Run &run, const TextReading &reading,
                                   QPromise<IndexSummary> &promise, const std::atomic_bool &cancel,
                                   const std::function<void()> &opened)
{
    const QString folder = QFileInfo(run.path).absolutePath();
    if (!QDir().mkpath(folder))
        throw CacheFolderError("mkpath failed: " + QFile::encodeName(folder).toStdString());
    if (run.renew)
        SearchIndex::removeFiles(run.path);
    IndexSummary summary;
    const std::unique_ptr<SearchIndex> index =
        SearchIndex::open(run.path, run.catalogue, &summary.renewed);
    opened();
    const QList<Planned> toRead = plan(*index, run.files, summary);

    // The texts, read several at a time, written here as they come.
    promise.setProgressRange(0, int(toRead.size()));
    QStringList paths;
    for (const Planned &planned : toRead)
        paths.append(planned.file.path);
    index->begin();
    SheetReaders(reading).read(
        paths,
        [&](qsizetype i, SheetReaders::Result result) {
            const Planned &planned = toRead.at(i);
            const qint32 state = result.partial ? SearchIndex::ReadPartly : result.state;
            index->store(planned.file.name, planned.stamp, state,
                         state < 0 ? QString() : indexText(std::move(result.pages)));
            note(summary, planned.file.name, state);
            if (++summary.read % Batch == 0) {
                index->commit();
                index->begin();
            }
            promise.setProgressValue(summary.read);
        },
        [&] { return promise.isCanceled() || cancel.load(); });
    index->commit();
    summary.cancelled = promise.isCanceled() || cancel.load();
    if (!summary.cancelled && summary.read >= TidyAfter)
        index->tidy();
    summary.unreadable.sort();
    summary.partial.sort();
    return summary;
}

SearchIndexer::SearchIndexer(TextReading reading, QObject *parent)
    : QObject(parent)
    , m_reading(std::move(reading))
    , m_cancel(std::make_shared<std::atomic_bool>(false))
{
    m_runs.setMaxThreadCount(1);
    connect(&m_watcher, &QFutureWatcher<IndexSummary>::progressValueChanged, this,
            [this](int done) { Q_EMIT progressChanged(done, m_watcher.progressMaximum()); });
    connect(&m_watcher, &QFutureWatcher<IndexSummary>::finished, this, &SearchIndexer::runFinished);
}

SearchIndexer::~SearchIndexer()
{
    m_next.reset();
    cancel();
    m_runs.waitForDone();
}

void SearchIndexer::start(const QString &path, const QString &catalogue,
                          const QList<SheetFile> &files, bool renew)
{
    Run run{path, catalogue, files, renew};
    if (isRunning()) {
        m_next = std::make_unique<Run>(std::move(run));
        cancel();
        return;
    }
    launch(std::move(run));
}

void SearchIndexer::cancel()
{
    m_cancel->store(true);
    m_watcher.cancel();
}

bool SearchIndexer::isRunning() const
{
    return m_watcher.isRunning();
}

void SearchIndexer::runFinished()
{
    const QFuture<IndexSummary> future = m_watcher.future();
    IndexSummary summary = future.resultCount() > 0 ? future.result() : IndexSummary();
    summary.cancelled = summary.cancelled || future.isCanceled();
    if (m_next) {
        const std::unique_ptr<Run> next = std::move(m_next);
        launch(std::move(*next));
        return;
    }
    Q_EMIT finished(summary);
}

void SearchIndexer::launch(Run run)
{
    m_cancel = std::make_shared<std::atomic_bool>(false);
    const auto opened = [this] {
        // This object outlives the run (its destructor waits), and the call dies with it.
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT indexOpened(); }, Qt::QueuedConnection);
    };
    const QString indexPath = run.path;
    m_watcher.setFuture(runInBackground<IndexSummary>(
        m_runs,
        [run = std::move(run), reading = m_reading, cancel = m_cancel,
         opened](QPromise<IndexSummary> &promise) {
            return update(run, reading, promise, *cancel, opened);
        },
        [indexPath](std::exception_ptr error) {
            // Whatever went wrong is said; the sheets done so far stay in the index.
            IndexSummary summary;
            summary.failure = searchFailure(error, indexPath);
            return summary;
        }));
}
