#include "documents/search/searchindexer.h"

#include "documents/search/searchindex.h"
#include "documents/search/sqlitedb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPromise>
#include <QScopeGuard>
#include <QSet>
#include <QtConcurrent>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

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

struct Extracted
{
    qint32 state = 0;
    QString text;
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

Extracted readText(TextExtraction extract, const QString &path, const std::atomic_bool *cancel)
{
    QStringList pages;
    const qint32 answer = extract(
        QFile::encodeName(path).constData(),
        [](void *context, int, const char16_t *text, qsizetype length) {
            static_cast<QStringList *>(context)->append(
                QString(reinterpret_cast<const QChar *>(text), length));
        },
        &pages, cancel);
    if (answer < 0)
        return {answer, {}};
    return {0, indexText(std::move(pages))};
}

} // namespace

struct SearchIndexer::Run
{
    QString path;
    QString catalogue;
    QList<SheetFile> files;
    bool renew = false;
};

SearchIndexer::SearchIndexer(TextExtraction extract, QObject *parent)
    : QObject(parent)
    , m_extract(extract)
    , m_cancel(std::make_shared<std::atomic_bool>(false))
{
    m_runs.setMaxThreadCount(1);
    m_readers.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    connect(&m_watcher, &QFutureWatcher<IndexSummary>::progressValueChanged, this,
            [this](int done) { Q_EMIT progressChanged(done, m_watcher.progressMaximum()); });
    connect(&m_watcher, &QFutureWatcher<IndexSummary>::finished, this, &SearchIndexer::runFinished);
}

SearchIndexer::~SearchIndexer()
{
    m_next.reset();
    cancel();
    m_runs.waitForDone();
    m_readers.waitForDone();
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
    m_watcher.setFuture(QtConcurrent::run(
        &m_runs, [run = std::move(run), opened, extract = m_extract, cancel = m_cancel,
                  readers = &m_readers](QPromise<IndexSummary> &promise) {
            IndexSummary summary;
            try {
                QDir().mkpath(QFileInfo(run.path).absolutePath());
                if (run.renew)
                    SearchIndex::removeFiles(run.path);
                const std::unique_ptr<SearchIndex> index =
                    SearchIndex::open(run.path, run.catalogue, &summary.renewed);
                opened();

                // What changed since the last run.
                QHash<QString, StoredFile> stored = index->storedFiles();
                QList<Planned> toRead;
                QSet<QString> seen;
                index->begin();
                for (const SheetFile &file : run.files) {
                    if (seen.contains(file.name))
                        continue;
                    seen.insert(file.name);
                    const FileStamp stamp = stampOf(file.path);
                    const std::optional<StoredFile> known =
                        stored.contains(file.name) ? std::optional(stored.take(file.name))
                                                   : std::nullopt;
                    if (known && known->stamp == stamp) {
                        if (known->state != 0)
                            summary.unreadable.append(file.name);
                    } else if (stamp.size < 0) {
                        index->store(file.name, stamp, ExtractMissing, {});
                        summary.unreadable.append(file.name);
                    } else {
                        toRead.append({file, stamp});
                    }
                }
                for (auto gone = stored.cbegin(); gone != stored.cend(); ++gone)
                    index->remove(gone.key());
                index->commit();
                summary.files = int(seen.size());

                // The texts, read several at a time, written here one after the other.
                promise.setProgressRange(0, int(toRead.size()));
                QFuture<Extracted> texts =
                    QtConcurrent::mapped(readers, toRead, [extract, cancel](const Planned &p) {
                        return readText(extract, p.file.path, cancel.get());
                    });
                const auto stopReading = qScopeGuard([&] {
                    cancel->store(true);
                    texts.cancel();
                    texts.waitForFinished();
                });
                index->begin();
                for (qsizetype i = 0; i < toRead.size() && !promise.isCanceled(); ++i) {
                    const Extracted extracted = texts.resultAt(int(i));
                    if (extracted.state == ExtractCancelled)
                        break;
                    index->store(toRead[i].file.name, toRead[i].stamp, extracted.state,
                                 extracted.text);
                    if (extracted.state != 0)
                        summary.unreadable.append(toRead[i].file.name);
                    ++summary.read;
                    if (summary.read % Batch == 0) {
                        index->commit();
                        index->begin();
                    }
                    promise.setProgressValue(summary.read);
                }
                index->commit();
                summary.cancelled = promise.isCanceled();
                if (!summary.cancelled && summary.read >= TidyAfter)
                    index->tidy();
            } catch (const Sqlite::Error &error) {
                summary.error = QString::fromUtf8(error.what());
            }
            summary.unreadable.sort();
            promise.addResult(summary);
        }));
}
