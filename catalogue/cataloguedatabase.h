#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

class DialogService;
class AccessFile;
class AccessTable;

// The connection to the catalogue's Access file, read-only. It is configured by a connection
// string naming the file (DBQ=...), opens the file with the first table and keeps it open
// until closed.
class CatalogueDatabase
{
public:
    CatalogueDatabase();
    ~CatalogueDatabase();
    CatalogueDatabase(const CatalogueDatabase &) = delete;
    CatalogueDatabase &operator=(const CatalogueDatabase &) = delete;

    // "Driver={Microsoft Access Driver (*.mdb)};DBQ=<folder>/Norvenz SZW Kennblätter.mde;"
    static QByteArray ConnectionString(QByteArrayView PfadZuMDEDatei);
    // The folder as read from the settings, joined with the file name.
    static QString DatabaseFilePath(QByteArrayView PfadZuMDEDatei);
    // False, after showing the error box, when the database file does not exist as a file.
    [[nodiscard]] static bool CheckDatabaseFile(QByteArrayView PfadZuMDEDatei,
                                                DialogService &dialogs);

    void SetConnectionString(QByteArray connectionString);
    const QByteArray &connectionString() const { return m_connectionString; }
    bool IsOpen() const { return m_file != nullptr; }
    void Close();

    [[nodiscard]] std::unique_ptr<AccessTable> OpenTable(QByteArrayView tableName,
                                                         const QString &componentName);

private:
    QString filePath() const;

    QByteArray m_connectionString;
    std::unique_ptr<AccessFile> m_file;
};
