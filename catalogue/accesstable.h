#pragma once

#include "catalogue/jetfilecheck.h"
#include "catalogue/jetmemo.h"
#include "catalogue/jetstoredtext.h"
#include "catalogue/largeblock.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

class RowLossCheck;

// An Access file of the format Jet 3 (Access 95, 97) or Jet 4 (Access 2000 to 2003), read into
// memory and opened read-only through libmdb. A file of another Access format, or one whose
// header or size is damaged, is refused with a message that names the file (and the format).
// Before libmdb reads a table, what it relies on without checking is checked: the definition
// and its column entries, the usage map, that every page the map lists is a data page of the
// table, and that the map lists every page of the table that holds rows. While it reads, every
// row slot it passes over must be marked deleted, every page's slot table must agree with the
// page's free-space field, no text may end before it starts, every memo value must add up
// (jetmemo.h), and at the end the rows must be as many as the definition counts. Damage found
// so raises AppError naming the file and the table. Not seen: damage inside a row that still
// decodes (a changed letter or yes/no value), and a slot marked deleted together with a row
// count to match.
class AccessFile
{
public:
    [[nodiscard]] static std::unique_ptr<AccessFile> open(const QString &path);
    // The same from bytes in memory (the fuzzer feeds files this way); `name` stands for the
    // file in messages.
    [[nodiscard]] static std::unique_ptr<AccessFile> openBuffer(QByteArray bytes,
                                                                const QString &name);
    ~AccessFile();
    AccessFile(const AccessFile &) = delete;
    AccessFile &operator=(const AccessFile &) = delete;

    const QString &path() const { return m_path; }
    const JetFormat &format() const { return *m_format; }

private:
    // `block`, where given, holds the bytes.
    AccessFile(std::unique_ptr<LargeBlock> block, QByteArray bytes, QString path,
               const JetFormat &format);
    static const JetFormat &readableFormat(QByteArrayView firstBytes, qint64 size,
                                           const QString &path);
    friend class AccessTable;

    struct CloseHandle
    {
        void operator()(void *handle) const;
    };
    struct TableEntry
    {
        QByteArray name; // Windows-1252
        quint32 page;    // of its definition
    };

    void readCatalogue();
    // The definition page of the first table of that name, ASCII letters in any case.
    quint32 tablePage(QByteArrayView tableName) const;
    const unsigned char *page(quint32 number) const;
    [[nodiscard]] bool tableIsSound(quint32 page, JetFileCheck::Definition &table) const;

    QString m_path;
    const JetFormat *m_format;
    std::unique_ptr<LargeBlock> m_block;
    QByteArray m_bytes; // libmdb reads the file from here
    quint32 m_pageCount = 0;
    std::unique_ptr<void, CloseHandle> m_handle; // MdbHandle
    std::unique_ptr<JetFileCheck::PagesWithRows> m_pagesWithRows;
    std::vector<TableEntry> m_tables;
};

// One table read from its first row to its last: the operations the catalogue loading needs.
// Texts come back as Windows-1252 bytes; NULL gives the empty text and a false truth value.
// A table found damaged while it is read raises AppError from Next (or the constructor).
// Each table reads through its own libmdb handle, so tables of one file may be read side by
// side. Values are converted when asked for, so columns nobody reads cost nothing.
class AccessTable
{
public:
    // `componentName` names the table in messages about missing columns, as the program's
    // table components are named (qKennblaetter, adotInfogeber, ...).
    AccessTable(AccessFile &file, QByteArrayView tableName, QString componentName);
    ~AccessTable();
    AccessTable(const AccessTable &) = delete;
    AccessTable &operator=(const AccessTable &) = delete;

    bool Eof() const { return m_eof; }
    void Next();
    void Close();

    QByteArray Text(QByteArrayView column) const;
    QByteArray Text(int position) const;
    bool TruthValue(QByteArrayView column) const;

    // A column looked up once, for reading it row after row without looking it up again. The
    // look-up raises what Text and TruthValue raise for a column that is missing or holds
    // something else.
    struct TextColumn
    {
        int position;
    };
    struct TruthValueColumn
    {
        int position;
    };
    TextColumn textColumn(QByteArrayView name) const;
    TruthValueColumn truthValueColumn(QByteArrayView name) const;
    // Raises the table's "damaged" error unless the column is one the catalogue keeps texts
    // in: TEXT or MEMO. Text reads take numbers as well, which is how a column whose type byte
    // is damaged would read.
    void requireStoredText(TextColumn column) const;
    // The text of the current row without a copy where it can be: valid until Next, Close,
    // or the next read of the same column.
    QByteArrayView textView(TextColumn column) const;
    bool TruthValue(TruthValueColumn column) const;

    int columnCount() const { return int(m_columns.size()); }

private:
    friend class AccessFile; // reads the system catalogue through this class

    struct Libmdb;
    struct Column
    {
        QByteArray name; // Windows-1252
        int type;
        const void *column;      // MdbColumn, whose current value libmdb updates on every fetch
        mutable QByteArray text; // the value converted for textView
    };

    AccessTable(AccessFile &file, quint32 page, QByteArrayView tableName, QString componentName);
    const Column &columnByName(QByteArrayView name) const;
    const Column &columnAt(int position) const;
    void requireRow() const;
    void requireText(const Column &column) const;
    void requireTruthValue(const Column &column) const;
    QByteArrayView textOf(const Column &column) const;
    bool truthValueOf(const Column &column) const;
    QByteArray memoText(const Column &column) const;
    void fetch();
    [[noreturn]] void throwDamaged() const;

    QByteArray m_tableName;
    QString m_filePath;
    QString m_componentName;
    const JetFormat &m_format;
    JetFileCheck::PageReader m_pages; // the file's, for memo values
    mutable JetMemo::RowOwners m_longValueRows;
    quint64 m_rowNumber = 0; // of the current row, from 0
    JetStoredText::Form m_textForm;
    std::unique_ptr<Libmdb> m_libmdb;
    std::unique_ptr<RowLossCheck> m_rowCheck;
    std::vector<Column> m_columns;
    bool m_eof = true;
};
