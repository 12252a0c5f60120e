#include "catalogue/accesstable.h"

#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "platform/stdiosilencer.h"

#include <QFile>
#include <QFileInfo>

// glib first: mdbtools.h wraps its includes in extern "C", which breaks glib's C++ parts.
#include <glib.h>
#include <mdbtools.h>

using namespace Qt::StringLiterals;

namespace {

constexpr std::size_t BindSize = 16384;

MdbHandle *handleOf(void *handle)
{
    return static_cast<MdbHandle *>(handle);
}

QByteArray lowerAscii(QByteArray text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

AppError unreadableFile(const QString &path)
{
    return AppError(u"Die Datenbankdatei '%1' kann nicht gelesen werden: sie ist keine gültige "
                    u"Access-Datenbank oder beschädigt."_s.arg(path));
}

bool holdsText(int type)
{
    switch (type) {
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
    case MDB_DATETIME:
        return true;
    default:
        return false;
    }
}

bool holdsTruthValue(int type)
{
    return type == MDB_BOOL || type == MDB_BYTE || type == MDB_INT || type == MDB_LONGINT;
}

} // namespace

AccessFile::AccessFile(void *handle, QString path, QByteArray buffer)
    : m_handle(handle)
    , m_path(std::move(path))
    , m_buffer(std::move(buffer))
{
    mdb_set_bind_size(handleOf(m_handle), BindSize);
}

AccessFile::~AccessFile()
{
    const StdioSilencer quiet;
    mdb_close(handleOf(m_handle));
}

std::unique_ptr<AccessFile> AccessFile::open(const QString &path)
{
    if (!QFileInfo(path).isReadable())
        throw AppError(u"Die Datenbankdatei '%1' kann nicht gelesen werden."_s.arg(path));
    const StdioSilencer quiet;
    MdbHandle *mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb)
        throw unreadableFile(path);
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        mdb_close(mdb);
        throw unreadableFile(path);
    }
    return std::unique_ptr<AccessFile>(new AccessFile(mdb, path, {}));
}

std::unique_ptr<AccessFile> AccessFile::openBuffer(QByteArray bytes, const QString &name)
{
    const StdioSilencer quiet;
    bytes.detach(); // libmdb reads straight from this memory while the file is open
    MdbHandle *mdb = mdb_open_buffer(bytes.data(), std::size_t(bytes.size()), MDB_NOFLAGS);
    if (!mdb)
        throw unreadableFile(name);
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        mdb_close(mdb);
        throw unreadableFile(name);
    }
    return std::unique_ptr<AccessFile>(new AccessFile(mdb, name, std::move(bytes)));
}

AccessTable::AccessTable(AccessFile &file, QByteArrayView tableName, QString componentName)
    : m_file(file)
    , m_tableName(tableName.toByteArray())
    , m_componentName(std::move(componentName))
{
    const StdioSilencer quiet;
    QByteArray utf8Name = Cp1252::toUtf8(tableName);
    m_table = mdb_read_table_by_name(handleOf(file.m_handle), utf8Name.data(), MDB_TABLE);
    if (!m_table) {
        throw AppError(u"Die Tabelle '%1' wurde in der Datenbankdatei '%2' nicht gefunden."_s.arg(
            Cp1252::toUnicode(tableName), file.path()));
    }
    if (!mdb_read_columns(m_table)) {
        Close();
        throw AppError(u"Die Spalten der Tabelle '%1' in der Datenbankdatei '%2' können nicht "
                       u"gelesen werden."_s.arg(Cp1252::toUnicode(tableName), file.path()));
    }
    mdb_rewind_table(m_table);
    const int count = int(m_table->num_cols);
    m_columns.reserve(std::size_t(count)); // bound pointers must not move
    for (int i = 0; i < count; ++i) {
        const auto *column = static_cast<const MdbColumn *>(g_ptr_array_index(m_table->columns, i));
        m_columns.push_back({QByteArray(column->name), column->col_type,
                             std::vector<char>(BindSize + 1, '\0')});
        Column &bound = m_columns.back();
        mdb_bind_column(m_table, i + 1, bound.buffer.data(), &bound.length);
        m_byLowerName.insert(lowerAscii(bound.name), i);
    }
    fetch();
}

AccessTable::~AccessTable()
{
    Close();
}

void AccessTable::fetch()
{
    const StdioSilencer quiet;
    for (Column &column : m_columns) {
        column.length = 0;
        column.buffer[0] = '\0';
    }
    m_eof = !mdb_fetch_row(m_table);
}

void AccessTable::Next()
{
    if (m_table && !m_eof)
        fetch();
}

void AccessTable::Close()
{
    if (!m_table)
        return;
    const StdioSilencer quiet;
    mdb_free_tabledef(m_table);
    m_table = nullptr;
    m_eof = true;
}

const AccessTable::Column &AccessTable::columnByName(QByteArrayView name) const
{
    const auto it = m_byLowerName.constFind(lowerAscii(Cp1252::toUtf8(name)));
    if (it == m_byLowerName.cend()) {
        throw AppError(u"%1: %2"_s.arg(m_componentName, u"Das Feld '%1' wurde nicht gefunden"_s.arg(
                                                            Cp1252::toUnicode(name))));
    }
    return m_columns[std::size_t(*it)];
}

const AccessTable::Column &AccessTable::columnAt(int position) const
{
    if (position < 0 || position >= columnCount()) {
        throw AppError(u"%1: %2"_s.arg(m_componentName,
                                       u"Das Feld Nr. %1 wurde nicht gefunden"_s.arg(position)));
    }
    return m_columns[std::size_t(position)];
}

QByteArray AccessTable::textOf(const Column &column) const
{
    if (m_eof) {
        throw AppError(u"%1: Es gibt keinen aktuellen Datensatz in der Tabelle '%2'."_s.arg(
            m_componentName, Cp1252::toUnicode(m_tableName)));
    }
    const int length = std::clamp(column.length, 0, int(BindSize));
    return Cp1252::fromUtf8(QByteArrayView(column.buffer.data(), length));
}

QByteArray AccessTable::Text(QByteArrayView columnName) const
{
    const Column &column = columnByName(columnName);
    if (!holdsText(column.type)) {
        throw AppError(u"%1: Das Feld '%2' enthält keinen Text."_s.arg(
            m_componentName, QString::fromUtf8(column.name)));
    }
    return textOf(column);
}

QByteArray AccessTable::Text(int position) const
{
    const Column &column = columnAt(position);
    if (!holdsText(column.type)) {
        throw AppError(u"%1: Das Feld '%2' enthält keinen Text."_s.arg(
            m_componentName, QString::fromUtf8(column.name)));
    }
    return textOf(column);
}

bool AccessTable::TruthValue(QByteArrayView columnName) const
{
    const Column &column = columnByName(columnName);
    if (!holdsTruthValue(column.type)) {
        throw AppError(u"%1: Das Feld '%2' enthält keinen Wahrheitswert."_s.arg(
            m_componentName, QString::fromUtf8(column.name)));
    }
    const QByteArray value = textOf(column);
    return !value.isEmpty() && value != "0";
}
