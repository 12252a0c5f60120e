#include "search/searchindex.h"

#include "search/fts5extension.h"
#include "search/sqlitedb.h"

#include <QFile>

#include <algorithm>

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

std::vector<qint64> SearchIndex::matches(const QString &expression)
{
    std::vector<qint64> ids;
    Statement rows(*m_db, "SELECT rowid FROM texts WHERE texts MATCH ?1");
    rows.bind(1, expression);
    while (rows.step())
        ids.push_back(rows.integer(0));
    return ids;
}

QHash<qint64, HitInfo> SearchIndex::hitInfo(const QString &expression,
                                            const std::vector<qint64> &ids)
{
    QHash<qint64, HitInfo> infos;
    if (ids.empty())
        return infos;
    // One pass over the matches between the lowest and the highest id: a statement per id
    // would work out the query's word lists anew each time. The ids' list is left out of the
    // plan ("+"), so that it only picks the rows whose text is read.
    const auto [lowest, highest] = std::minmax_element(ids.begin(), ids.end());
    QByteArray sql = "SELECT rowid, kbinfo(texts) FROM texts WHERE texts MATCH ?1 "
                     "AND rowid BETWEEN ?2 AND ?3 AND +rowid IN (";
    for (std::size_t i = 0; i < ids.size(); ++i)
        sql += (i == 0 ? "" : ",") + QByteArray::number(ids[i]);
    sql += ')';
    Statement rows(*m_db, sql.constData());
    rows.bind(1, expression).bind(2, *lowest).bind(3, *highest);
    while (rows.step()) {
        const QList<QByteArray> info = rows.utf8(1).split(Fts5Extension::FieldSeparator);
        if (info.size() == 3)
            infos.insert(rows.integer(0),
                         {info[0].toInt(), info[1].toInt(), QString::fromUtf8(info[2])});
    }
    return infos;
}

QHash<qint64, QString> SearchIndex::fileNames()
{
    QHash<qint64, QString> names;
    Statement rows(*m_db, "SELECT id, name FROM files");
    while (rows.step())
        names.insert(rows.integer(0), rows.text(1));
    return names;
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
