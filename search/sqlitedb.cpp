#include "search/sqlitedb.h"

#include <sqlite3.h>

namespace Sqlite {

Error::Error(int code, const QByteArray &message)
    : std::runtime_error(message.toStdString())
    , m_code(code)
{
}

bool Error::isDamage() const
{
    return code() == SQLITE_CORRUPT || code() == SQLITE_NOTADB || code() == SQLITE_FORMAT;
}

bool Error::isInterrupt() const
{
    return code() == SQLITE_INTERRUPT;
}

Connection::Connection(const QString &path, bool create)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int code = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (code != SQLITE_OK) {
        const QByteArray message = m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw Error(code, message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    // The indexer writes while the window reads; a checkpoint may hold the file briefly.
    sqlite3_busy_timeout(m_db, 5000);
}

Connection::~Connection()
{
    sqlite3_close_v2(m_db);
}

void Connection::execute(const char *sql)
{
    const int code = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        raise(code);
}

void Connection::interrupt()
{
    sqlite3_interrupt(m_db);
}

void Connection::raise(int code) const
{
    throw Error(code, sqlite3_errmsg(m_db));
}

Statement::Statement(Connection &connection, const char *sql)
    : m_connection(connection)
{
    const int code = sqlite3_prepare_v2(connection.handle(), sql, -1, &m_statement, nullptr);
    if (code != SQLITE_OK)
        connection.raise(code);
}

Statement::~Statement()
{
    sqlite3_finalize(m_statement);
}

Statement &Statement::bind(int index, qint64 value)
{
    if (const int code = sqlite3_bind_int64(m_statement, index, value); code != SQLITE_OK)
        m_connection.raise(code);
    return *this;
}

Statement &Statement::bind(int index, const QString &text)
{
    return bind(index, text.toUtf8());
}

Statement &Statement::bind(int index, const QByteArray &utf8)
{
    const int code =
        sqlite3_bind_text64(m_statement, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                            SQLITE_TRANSIENT, SQLITE_UTF8);
    if (code != SQLITE_OK)
        m_connection.raise(code);
    return *this;
}

bool Statement::step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    const QByteArray message = sqlite3_errmsg(m_connection.handle());
    sqlite3_reset(m_statement);
    throw Error(code, message);
}

void Statement::run()
{
    while (step()) {
    }
    reset();
}

void Statement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QByteArray Statement::utf8(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArray(text, sqlite3_column_bytes(m_statement, column));
}

QString Statement::text(int column) const
{
    return QString::fromUtf8(utf8(column));
}

} // namespace Sqlite
