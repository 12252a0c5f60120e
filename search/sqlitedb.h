#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

// The little of SQLite's C API the search index needs, with ownership and errors as
// exceptions. Qt SQL would hide the connection handle, which the FTS5 extension needs.
namespace Sqlite {

// A failed SQLite call, with the result code SQLite gave.
class Error : public std::runtime_error
{
public:
    Error(int code, const QByteArray &message);
    // SQLite's primary result code, and the extended one (SQLITE_IOERR_WRITE ...).
    int code() const { return m_code & 0xFF; }
    int extendedCode() const { return m_code; }
    // The file is no database, or a damaged one.
    bool isDamage() const;
    bool isInterrupt() const;

private:
    int m_code;
};

class Statement;

class Connection
{
public:
    // Opens (and with `create` creates) the database file; raises Error.
    Connection(const QString &path, bool create);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }
    void execute(const char *sql);
    // Stops the statement running on another thread (sqlite3_interrupt).
    void interrupt();
    [[noreturn]] void raise(int code) const;

private:
    sqlite3 *m_db = nullptr;
};

// A prepared statement; bind from 1, read columns from 0.
class Statement
{
public:
    Statement(Connection &connection, const char *sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &bind(int index, qint64 value);
    Statement &bind(int index, const QString &text);
    Statement &bind(int index, const QByteArray &utf8);
    // True while a row is there.
    bool step();
    // Runs it to the end and readies it for new values.
    void run();
    void reset();

    qint64 integer(int column) const;
    QString text(int column) const;
    QByteArray utf8(int column) const;

private:
    Connection &m_connection;
    sqlite3_stmt *m_statement = nullptr;
};

} // namespace Sqlite
