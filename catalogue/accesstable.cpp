#include "catalogue/accesstable.h"

#include "catalogue/jetcolumns.h"
#include "catalogue/jetformat.h"
#include "catalogue/jetmemo.h"
#include "catalogue/rowlosscheck.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "platform/stdiosilencer.h"
#include "platform/textrules.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

// glib first: mdbtools.h wraps its includes in extern "C", which breaks glib's C++ parts.
#include <glib.h>
#include <mdbtools.h>

using namespace Qt::StringLiterals;

namespace {

// libmdb's buffer for a converted text; a memo field is cut where it would overflow.
constexpr qsizetype MemoUtf8Limit = MDB_BIND_SIZE - 1;

MdbHandle *mdbOf(void *handle)
{
    return static_cast<MdbHandle *>(handle);
}

// libmdb converts column names with iconv into the character set its variable MDBICONV names:
// Jet 4 names from UCS-2, Jet 3 names from the code page the file (or the variable
// MDB_JET3_CHARSET) names. The program takes no settings from the environment and reads Jet 3
// texts as the Windows-1252 bytes they are, so names are always read from those into UTF-8.
void readNamesAsUtf8(MdbHandle *mdb)
{
#if MDBTOOLS_H_HAVE_ICONV_H
    const bool jet3 = IS_JET3(mdb);
    if (!jet3 && !qEnvironmentVariableIsSet("MDBICONV"))
        return;
    const char *stored = jet3 ? "WINDOWS-1252" : "UCS-2LE";
    mdb_iconv_close(mdb);
    mdb->iconv_in = iconv_open("UTF-8", stored);
    mdb->iconv_out = iconv_open(stored, "UTF-8");
#else
    Q_UNUSED(mdb);
#endif
}

AppError unreadableFile(const QString &path)
{
    return AppError(u"Die Datenbankdatei '%1' kann nicht gelesen werden: sie ist keine gültige "
                    u"Access-Datenbank oder beschädigt."_s.arg(path));
}

AppError otherFormat(const QString &path, const QString &format)
{
    return AppError(u"Die Datenbankdatei '%1' ist eine Access-Datenbank im Format %2, das nicht "
                    u"gelesen werden kann."_s.arg(path, format));
}

AppError cannotRead(const QString &path)
{
    return AppError(u"Die Datenbankdatei '%1' kann nicht gelesen werden."_s.arg(path));
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

const MdbColumn &mdbColumn(const void *column)
{
    return *static_cast<const MdbColumn *>(column);
}

} // namespace

// ---------------------------------------------------------------------------------------------

void AccessFile::CloseHandle::operator()(void *handle) const
{
    const StdioSilencer quiet;
    mdb_close(mdbOf(handle));
}

const JetFormat &AccessFile::readableFormat(QByteArrayView firstBytes, qint64 size,
                                            const QString &path)
{
    const JetFileCheck::Identification file = JetFileCheck::identify(firstBytes, size);
    if (!file.otherFormat.isEmpty())
        throw otherFormat(path, file.otherFormat);
    if (!file.format)
        throw unreadableFile(path);
    return *file.format;
}

std::unique_ptr<AccessFile> AccessFile::open(const QString &path)
{
    QFile file(path);
    // Not a folder, and not a pipe that would block the start until someone writes to it.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw cannotRead(path);
    const qint64 size = file.size();
    const JetFormat &format = readableFormat(file.peek(JetFileCheck::HeaderBytes), size, path);
    auto block = std::make_unique<LargeBlock>(size);
    auto *bytes = reinterpret_cast<char *>(block->data());
    if (file.read(bytes, size) != size)
        throw cannotRead(path);
    return std::unique_ptr<AccessFile>(
        new AccessFile(std::move(block), QByteArray::fromRawData(bytes, size), path, format));
}

std::unique_ptr<AccessFile> AccessFile::openBuffer(QByteArray bytes, const QString &name)
{
    const JetFormat &format = readableFormat(bytes, bytes.size(), name);
    return std::unique_ptr<AccessFile>(new AccessFile(nullptr, std::move(bytes), name, format));
}

AccessFile::AccessFile(std::unique_ptr<LargeBlock> block, QByteArray bytes, QString path,
                       const JetFormat &format)
    : m_path(std::move(path))
    , m_format(&format)
    , m_block(std::move(block))
    , m_bytes(std::move(bytes))
    , m_pageCount(quint32(m_bytes.size() / format.pageSize))
{
    const StdioSilencer quiet;
    // libmdb only reads ("r"); the bytes stay unchanged for the file's life.
    m_handle.reset(mdb_open_buffer(const_cast<char *>(m_bytes.constData()),
                                   std::size_t(m_bytes.size()), MDB_NOFLAGS));
    if (!m_handle)
        throw unreadableFile(m_path);
    readNamesAsUtf8(mdbOf(m_handle.get()));
    m_pagesWithRows = std::make_unique<JetFileCheck::PagesWithRows>(
        format, [this](quint32 number) { return page(number); }, m_pageCount);
    readCatalogue();
}

AccessFile::~AccessFile() = default;

const unsigned char *AccessFile::page(quint32 number) const
{
    if (number >= m_pageCount)
        return nullptr;
    MdbHandle *mdb = mdbOf(m_handle.get());
    // libmdb deciphers the pages after the first of a file with a key; the others it reads as
    // they are, so they need no copy.
    if (number == 0 || mdb->f->db_key == 0)
        return reinterpret_cast<const unsigned char *>(m_bytes.constData()) +
               qsizetype(number) * m_format->pageSize;
    if (mdb_read_alt_pg(mdb, number) != m_format->pageSize)
        return nullptr;
    return mdb->alt_pg_buf;
}

bool AccessFile::tableIsSound(quint32 page, JetFileCheck::Definition &table) const
{
    return JetFileCheck::tableIsSound(
        *m_format, [this](quint32 number) { return this->page(number); }, m_pageCount, page,
        *m_pagesWithRows, table);
}

// libmdb's own catalogue reader also reads every object's property blob, following its chain
// of pages with no check for a loop; the tables need only their names and definition pages.
void AccessFile::readCatalogue()
{
    try {
        AccessTable objects(*this, JetFileCheck::CataloguePage, "MSysObjects", u"MSysObjects"_s);
        for (; !objects.Eof(); objects.Next()) {
            // What libmdb's catalogue takes: Type 1 is a table, the low 24 bits of Id the page.
            if (objects.Text("Type").trimmed().toInt() != MDB_TABLE)
                continue;
            const auto page = quint32(objects.Text("Id").trimmed().toLongLong()) & 0x00FFFFFFu;
            m_tables.push_back({objects.Text("Name"), page});
        }
    } catch (const AppError &) {
        throw unreadableFile(m_path);
    }
}

quint32 AccessFile::tablePage(QByteArrayView tableName) const
{
    for (const TableEntry &table : m_tables) {
        if (TextRules::equalsUpper(table.name, tableName))
            return table.page;
    }
    throw AppError(u"Die Tabelle '%1' wurde in der Datenbankdatei '%2' nicht gefunden."_s.arg(
        Cp1252::toUnicode(tableName), m_path));
}

// ---------------------------------------------------------------------------------------------

// The table's own handle (libmdb keeps the current page in the handle), its catalogue entry
// and its definition, which points to the entry.
struct AccessTable::Libmdb
{
    MdbHandle *mdb = nullptr;
    MdbCatalogEntry entry{};
    MdbTableDef *table = nullptr;

    Libmdb() = default;
    Libmdb(const Libmdb &) = delete;
    Libmdb &operator=(const Libmdb &) = delete;
    ~Libmdb()
    {
        const StdioSilencer quiet;
        mdb_free_tabledef(table);
        mdb_close(mdb);
    }
};

AccessTable::AccessTable(AccessFile &file, QByteArrayView tableName, QString componentName)
    : AccessTable(file, file.tablePage(tableName), tableName, std::move(componentName))
{
}

AccessTable::AccessTable(AccessFile &file, quint32 page, QByteArrayView tableName,
                         QString componentName)
    : m_tableName(tableName.toByteArray())
    , m_filePath(file.path())
    , m_componentName(std::move(componentName))
    , m_format(file.format())
    , m_pages([&file](quint32 number) { return file.page(number); })
    , m_textForm(m_format.textIsUcs2 ? JetStoredText::Form::Ucs2 : JetStoredText::Form::Windows1252)
{
    const StdioSilencer quiet;
    JetFileCheck::Definition definition;
    if (!file.tableIsSound(page, definition))
        throwDamaged();
    m_rowCheck = std::make_unique<RowLossCheck>(m_format, m_pages, std::move(definition.dataPages),
                                                definition.rowCount);
    m_libmdb = std::make_unique<Libmdb>();
    m_libmdb->mdb = mdb_clone_handle(mdbOf(file.m_handle.get()));
    readNamesAsUtf8(m_libmdb->mdb);
    MdbCatalogEntry &entry = m_libmdb->entry;
    entry.mdb = m_libmdb->mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = page;
    const QByteArray utf8Name = Cp1252::toUtf8(tableName);
    std::strncpy(entry.object_name, utf8Name.constData(), sizeof entry.object_name - 1);

    m_libmdb->table = mdb_read_table(&entry);
    if (!m_libmdb->table)
        throwDamaged();
    if (!mdb_read_columns(m_libmdb->table)) {
        throw AppError(u"Die Spalten der Tabelle '%1' in der Datenbankdatei '%2' können nicht "
                       u"gelesen werden."_s.arg(Cp1252::toUnicode(tableName), m_filePath));
    }
    mdb_rewind_table(m_libmdb->table);
    const GPtrArray *columns = m_libmdb->table->columns;
    m_columns.reserve(columns->len);
    for (guint i = 0; i < columns->len; ++i) {
        // Nothing is bound: libmdb then only notes where each value lies in its page buffer.
        const auto *column = static_cast<const MdbColumn *>(g_ptr_array_index(columns, i));
        m_columns.push_back({Cp1252::fromUtf8(column->name), column->col_type, column, {}});
    }
    fetch();
}

AccessTable::~AccessTable() = default;

void AccessTable::throwDamaged() const
{
    throw AppError(u"Die Tabelle '%1' in der Datenbankdatei '%2' ist beschädigt."_s.arg(
        Cp1252::toUnicode(m_tableName), m_filePath));
}

void AccessTable::fetch()
{
    const StdioSilencer quiet;
    const MdbTableDef *table = m_libmdb->table;
    m_eof = !mdb_fetch_row(m_libmdb->table);
    // libmdb counts cur_row on past the row it delivered.
    const bool sound = m_eof ? m_rowCheck->atEnd()
                             : m_rowCheck->delivered(table->cur_phys_pg, int(table->cur_row) - 1);
    if (!sound) {
        m_eof = true;
        throwDamaged();
    }
}

void AccessTable::Next()
{
    if (m_libmdb && !m_eof) {
        ++m_rowNumber;
        fetch();
    }
}

void AccessTable::Close()
{
    m_libmdb.reset();
    m_eof = true;
}

const AccessTable::Column &AccessTable::columnByName(QByteArrayView name) const
{
    for (const Column &column : m_columns) {
        if (TextRules::equalsUpper(column.name, name))
            return column;
    }
    throw AppError(u"%1: %2"_s.arg(
        m_componentName, u"Das Feld '%1' wurde nicht gefunden"_s.arg(Cp1252::toUnicode(name))));
}

const AccessTable::Column &AccessTable::columnAt(int position) const
{
    if (position < 0 || position >= columnCount()) {
        throw AppError(u"%1: %2"_s.arg(m_componentName,
                                       u"Das Feld Nr. %1 wurde nicht gefunden"_s.arg(position)));
    }
    return m_columns[std::size_t(position)];
}

void AccessTable::requireRow() const
{
    if (m_eof) {
        throw AppError(u"%1: Es gibt keinen aktuellen Datensatz in der Tabelle '%2'."_s.arg(
            m_componentName, Cp1252::toUnicode(m_tableName)));
    }
}

void AccessTable::requireText(const Column &column) const
{
    if (!holdsText(column.type)) {
        throw AppError(u"%1: Das Feld '%2' enthält keinen Text."_s.arg(
            m_componentName, Cp1252::toUnicode(column.name)));
    }
}

void AccessTable::requireTruthValue(const Column &column) const
{
    if (!holdsTruthValue(column.type)) {
        throw AppError(u"%1: Das Feld '%2' enthält keinen Wahrheitswert."_s.arg(
            m_componentName, Cp1252::toUnicode(column.name)));
    }
}

// Of a column that holds text, in the current row.
QByteArrayView AccessTable::textOf(const Column &column) const
{
    const MdbColumn &value = mdbColumn(column.column);
    // libmdb's bounds check lets through a value whose end offset lies before its start, with
    // a negative length.
    if (value.cur_value_len < 0)
        throwDamaged();
    // libmdb sets the length to 0 for NULL and for an empty value alike.
    if (value.cur_value_len == 0)
        return {};
    MdbHandle *mdb = m_libmdb->mdb;
    switch (column.type) {
    case MDB_TEXT:
        return JetStoredText::toCp1252(
            QByteArrayView(reinterpret_cast<const char *>(mdb->pg_buf) + value.cur_value_start,
                           value.cur_value_len),
            m_textForm, column.text);
    case MDB_MEMO:
        column.text = memoText(column);
        return column.text;
    default: {
        char *text =
            column.type == MDB_NUMERIC
                ? mdb_numeric_to_string(mdb, value.cur_value_start, value.col_scale, value.col_prec)
                : mdb_col_to_string(mdb, mdb->pg_buf, value.cur_value_start, column.type,
                                    value.cur_value_len);
        column.text = Cp1252::fromUtf8(text);
        g_free(text);
        return column.text;
    }
    }
}

// Of a column that holds a truth value, in the current row.
bool AccessTable::truthValueOf(const Column &column) const
{
    // Jet 4 keeps a yes/no value in the row's null mask, where libmdb reads it as "NULL".
    if (column.type == MDB_BOOL)
        return mdbColumn(column.column).cur_value_len == 0;
    const QByteArrayView value = textOf(column);
    return !value.isEmpty() && value != "0";
}

// libmdb's own conversion gives an empty text, or one cut short, where the field does not add
// up, and follows a chain that comes back to itself for ever.
QByteArray AccessTable::memoText(const Column &column) const
{
    const StdioSilencer quiet;
    const MdbColumn &value = mdbColumn(column.column);
    const QByteArrayView field(reinterpret_cast<const char *>(m_libmdb->mdb->pg_buf) +
                                   value.cur_value_start,
                               value.cur_value_len);
    // Columns are at most 255.
    const quint64 valueNumber = m_rowNumber << 8 | quint64(&column - m_columns.data());
    QByteArray stored;
    if (!JetMemo::storedBytes(m_format, m_pages, field, m_longValueRows, valueNumber, stored))
        throwDamaged();
    return JetStoredText::toCp1252(stored, m_textForm, MemoUtf8Limit);
}

QByteArray AccessTable::Text(QByteArrayView columnName) const
{
    const Column &column = columnByName(columnName);
    requireText(column);
    requireRow();
    return textOf(column).toByteArray();
}

QByteArray AccessTable::Text(int position) const
{
    const Column &column = columnAt(position);
    requireText(column);
    requireRow();
    return textOf(column).toByteArray();
}

bool AccessTable::TruthValue(QByteArrayView columnName) const
{
    const Column &column = columnByName(columnName);
    requireTruthValue(column);
    requireRow();
    return truthValueOf(column);
}

AccessTable::TextColumn AccessTable::textColumn(QByteArrayView name) const
{
    const Column &column = columnByName(name);
    requireText(column);
    return {int(&column - m_columns.data())};
}

AccessTable::TruthValueColumn AccessTable::truthValueColumn(QByteArrayView name) const
{
    const Column &column = columnByName(name);
    requireTruthValue(column);
    return {int(&column - m_columns.data())};
}

void AccessTable::requireStoredText(TextColumn column) const
{
    const int type = m_columns[std::size_t(column.position)].type;
    if (type != JetColumns::Text && type != JetColumns::Memo)
        throwDamaged();
}

QByteArrayView AccessTable::textView(TextColumn column) const
{
    requireRow();
    return textOf(m_columns[std::size_t(column.position)]);
}

bool AccessTable::TruthValue(TruthValueColumn column) const
{
    requireRow();
    return truthValueOf(m_columns[std::size_t(column.position)]);
}
