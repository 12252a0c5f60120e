#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <memory>
#include <vector>

struct S_MdbTableDef;

// An Access file opened read-only through libmdb. Failures raise AppError with a message
// that names the file.
class AccessFile
{
public:
    [[nodiscard]] static std::unique_ptr<AccessFile> open(const QString &path);
    // The same from bytes in memory (the fuzzer feeds files this way); `name` stands for the
    // file in messages.
    [[nodiscard]] static std::unique_ptr<AccessFile> openBuffer(QByteArray bytes, const QString &name);
    ~AccessFile();
    AccessFile(const AccessFile &) = delete;
    AccessFile &operator=(const AccessFile &) = delete;

    const QString &path() const { return m_path; }

private:
    AccessFile(void *handle, QString path, QByteArray buffer);
    friend class AccessTable;

    void *m_handle; // MdbHandle
    QString m_path;
    QByteArray m_buffer; // backs a file opened from memory
};

// One table read from its first row to its last: the operations the catalogue loading needs.
// Texts come back as Windows-1252 bytes; NULL gives the empty text and a false truth value.
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

    int columnCount() const { return int(m_columns.size()); }

private:
    struct Column
    {
        QByteArray name;
        int type;
        std::vector<char> buffer;
        int length = 0;
    };

    const Column &columnByName(QByteArrayView name) const;
    const Column &columnAt(int position) const;
    QByteArray textOf(const Column &column) const;
    void fetch();

    AccessFile &m_file;
    QByteArray m_tableName;
    QString m_componentName;
    S_MdbTableDef *m_table = nullptr;
    std::vector<Column> m_columns;
    QHash<QByteArray, int> m_byLowerName;
    bool m_eof = true;
};
