#include "documents/search/searchindex.h"

#include "documents/search/fts5extension.h"
#include "documents/search/sqlitedb.h"

#include <QFile>

#include <sqlite3.h>

using namespace Qt::StringLiterals;
using Sqlite::Statement;

std::unique_ptr<Sqlite::Connection> SearchIndex::connect(const QString &path, bool create)
{
    auto db = std::make_unique<Sqlite::Connection>(path, create);
    if (!Fts5Extension::registerOn(db->handle()))
        throw Sqlite::Error(SQLITE_ERROR, "SQLite ohne FTS5");
    return db;
}

std::unique_ptr<SearchIndex> SearchIndex::open(const QString &path, const QString &catalogue,
                                               bool *renewed)
{
    *renewed = false;
    try {
        std::unique_ptr<Sqlite::Connection> db = connect(path, true);
        if (usable(*db, catalogue))
            return std::unique_ptr<SearchIndex>(new SearchIndex(std::move(db)));
    } catch (const Sqlite::Error &error) {
        if (!error.isDamage())
            throw;
    }
    // Damaged, stale or someone else's: made anew, never trusted.
    *renewed = true;
    removeFiles(path);
    std::unique_ptr<Sqlite::Connection> db = connect(path, true);
    createTables(*db, catalogue);
    return std::unique_ptr<SearchIndex>(new SearchIndex(std::move(db)));
}

bool SearchIndex::usable(Sqlite::Connection &db, const QString &catalogue)
{
    db.execute("PRAGMA journal_mode=WAL");
    Statement version(db, "PRAGMA user_version");
    version.step();
    if (version.integer(0) == 0) {
        Statement tables(db, "SELECT count(*) FROM sqlite_schema");
        tables.step();
        if (tables.integer(0) != 0)
            return false;
        createTables(db, catalogue);
        return true;
    }
    if (version.integer(0) != Format)
        return false;
    Statement owner(db, "SELECT value FROM meta WHERE key = 'catalogue'");
    if (!owner.step() || owner.text(0) != catalogue)
        return false;
    Statement check(db, "PRAGMA quick_check(1)");
    return check.step() && check.text(0) == "ok"_L1;
}

void SearchIndex::createTables(Sqlite::Connection &db, const QString &catalogue)
{
    db.execute("PRAGMA journal_mode=WAL");
    db.execute("BEGIN");
    db.execute("CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT)");
    db.execute("CREATE TABLE files(id INTEGER PRIMARY KEY, name TEXT UNIQUE NOT NULL, "
               "size INTEGER, modified INTEGER, state INTEGER)");
    db.execute("CREATE VIRTUAL TABLE texts USING fts5(body, tokenize = 'kbfold')");
    Statement(db, "INSERT INTO meta VALUES('catalogue', ?1)").bind(1, catalogue).run();
    db.execute(QByteArray("PRAGMA user_version = " + QByteArray::number(Format)).constData());
    db.execute("COMMIT");
}

std::unique_ptr<SearchIndex> SearchIndex::openForSearching(const QString &path)
{
    return std::unique_ptr<SearchIndex>(new SearchIndex(connect(path, false)));
}

void SearchIndex::removeFiles(const QString &path)
{
    for (const QString &suffix : {QString(), u"-wal"_s, u"-shm"_s, u"-journal"_s})
        QFile::remove(path + suffix);
}

SearchIndex::SearchIndex(std::unique_ptr<Sqlite::Connection> connection)
    : m_db(std::move(connection))
{
    // A lost last write costs only a file read again at the next start.
    m_db->execute("PRAGMA synchronous = NORMAL");
}

SearchIndex::~SearchIndex() = default;

QHash<QString, StoredFile> SearchIndex::storedFiles()
{
    QHash<QString, StoredFile> files;
    Statement rows(*m_db, "SELECT name, size, modified, state FROM files");
    while (rows.step())
        files.insert(rows.text(0), {{rows.integer(1), rows.integer(2)}, qint32(rows.integer(3))});
    return files;
}

void SearchIndex::store(const QString &name, FileStamp stamp, qint32 state, const QString &text)
{
    Statement file(*m_db, "INSERT INTO files(name, size, modified, state) VALUES(?1, ?2, ?3, ?4) "
                          "ON CONFLICT(name) DO UPDATE SET size = excluded.size, "
                          "modified = excluded.modified, state = excluded.state RETURNING id");
    file.bind(1, name).bind(2, stamp.size).bind(3, stamp.modified).bind(4, state);
    file.step();
    const qint64 id = file.integer(0);
    file.run();
    Statement(*m_db, "DELETE FROM texts WHERE rowid = ?1").bind(1, id).run();
    if (!text.isEmpty())
        Statement(*m_db, "INSERT INTO texts(rowid, body) VALUES(?1, ?2)")
            .bind(1, id)
            .bind(2, text)
            .run();
}

void SearchIndex::remove(const QString &name)
{
    Statement(*m_db, "DELETE FROM texts WHERE rowid = (SELECT id FROM files WHERE name = ?1)")
        .bind(1, name)
        .run();
    Statement(*m_db, "DELETE FROM files WHERE name = ?1").bind(1, name).run();
}

void SearchIndex::begin()
{
    m_db->execute("BEGIN");
}

void SearchIndex::commit()
{
    m_db->execute("COMMIT");
}

void SearchIndex::tidy()
{
    m_db->execute("INSERT INTO texts(texts) VALUES('optimize')");
    m_db->execute("PRAGMA wal_checkpoint(TRUNCATE)");
}

QList<IndexHit> SearchIndex::search(const QString &expression)
{
    QList<IndexHit> hits;
    Statement rows(*m_db, "SELECT f.name, kbinfo(texts) FROM texts JOIN files f "
                          "ON f.id = texts.rowid WHERE texts MATCH ?1");
    rows.bind(1, expression);
    while (rows.step()) {
        const QList<QByteArray> info = rows.utf8(1).split(Fts5Extension::FieldSeparator);
        if (info.size() != 3)
            continue;
        hits.append({rows.text(0), info[0].toInt(), info[1].toInt(), QString::fromUtf8(info[2])});
    }
    return hits;
}

QStringList SearchIndex::places(const QString &name, const QString &expression)
{
    Statement row(*m_db, "SELECT kbplaces(texts) FROM texts WHERE texts MATCH ?1 "
                         "AND rowid = (SELECT id FROM files WHERE name = ?2)");
    row.bind(1, expression).bind(2, name);
    return row.step() ? row.text(0).split(u'\n', Qt::SkipEmptyParts) : QStringList();
}

void SearchIndex::interrupt()
{
    m_db->interrupt();
}
