#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace Sqlite {
class Connection;
}

// When a file was read: its size (-1 when it was missing) and last change, in milliseconds.
struct FileStamp
{
    qint64 size = -1;
    qint64 modified = 0;

    bool operator==(const FileStamp &) const = default;
};

// A file as the index knows it: its stamp and 0 when its text was read, SearchIndex::ReadPartly
// when only its beginning was (ReadLimits), else the engine's PDFViewCommands::Extract... code.
struct StoredFile
{
    FileStamp stamp;
    qint32 state = 0;
};

// Where a search matches a file: the number of places, the page of the first (from 0) and the
// text around it (Fts5Extension: hits between \x01 and \x02).
struct HitInfo
{
    int hits = 0;
    int page = 0;
    QString excerpt;

    bool operator==(const HitInfo &) const = default;
};

// The full-text index of one catalogue's data sheets: an SQLite file with the text of every
// file (pages separated by "\f") in an FTS5 table, and each file's name, stamp and state.
// One object per thread; several may use the same file (WAL: reading goes on while one
// writes). Failures raise Sqlite::Error.
class SearchIndex
{
public:
    // Incremented whenever the layout or the matching rules change: older files are renewed.
    static constexpr int Format = 1;
    // The state of a file whose text was read only in part.
    static constexpr qint32 ReadPartly = 1;

    // Opens the index for writing, or makes it. A file that is damaged, of another format or
    // of another catalogue is never used: it is deleted and made anew (`renewed` says so).
    [[nodiscard]] static std::unique_ptr<SearchIndex> open(const QString &path,
                                                           const QString &catalogue, bool *renewed);
    // An existing index, for searching.
    [[nodiscard]] static std::unique_ptr<SearchIndex> openForSearching(const QString &path);
    // Deletes the file with its journal.
    static void removeFiles(const QString &path);
    ~SearchIndex();

    QHash<QString, StoredFile> storedFiles();
    // Writes (or replaces) a file's entry and text; without text only its stamp and state.
    void store(const QString &name, FileStamp stamp, qint32 state, const QString &text);
    void remove(const QString &name);
    void begin();
    void commit();
    // Merges the index's pieces and moves the journal into the file; after a long build.
    void tidy();

    // The ids of the files matching an FTS5 query, ascending. Only the index's word lists
    // are read, no text: this is what a search costs before anything is shown.
    std::vector<qint64> matches(const QString &expression);
    // Where the query matches each of the files `ids`; a file it does not match is left out.
    // Reads and splits each file's text, so meant for the few rows on screen.
    QHash<qint64, HitInfo> hitInfo(const QString &expression, const std::vector<qint64> &ids);
    // Every file's name by its id.
    QHash<qint64, QString> fileNames();
    // The matched texts of one file (Fts5Extension: kbplaces).
    QStringList places(const QString &name, const QString &expression);
    // Ends a search running on another thread; it raises an interrupt error.
    void interrupt();

private:
    explicit SearchIndex(std::unique_ptr<Sqlite::Connection> connection);
    static std::unique_ptr<Sqlite::Connection> connect(const QString &path, bool create);
    static bool usable(Sqlite::Connection &db, const QString &catalogue);
    static void createTables(Sqlite::Connection &db, const QString &catalogue);

    std::unique_ptr<Sqlite::Connection> m_db;
};
