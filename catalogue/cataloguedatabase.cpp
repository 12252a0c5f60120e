#include "catalogue/cataloguedatabase.h"

#include "catalogue/accesstable.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "platform/dialogservice.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// Windows-1252 bytes of "/Norvenz SZW Kennblätter.mde".
constexpr QByteArrayView DatabaseFileName = "/Norvenz SZW Kennbl\xe4tter.mde";
constexpr QByteArrayView DbqKey = "DBQ=";

} // namespace

CatalogueDatabase::CatalogueDatabase() = default;
CatalogueDatabase::~CatalogueDatabase() = default;

QByteArray CatalogueDatabase::ConnectionString(QByteArrayView PfadZuMDEDatei)
{
    return "Driver={Microsoft Access Driver (*.mdb)};DBQ=" + PfadZuMDEDatei.toByteArray() +
           DatabaseFileName.toByteArray() + ';';
}

QString CatalogueDatabase::DatabaseFilePath(QByteArrayView PfadZuMDEDatei)
{
    return Cp1252::toUnicode(
        QByteArray(PfadZuMDEDatei.toByteArray() + DatabaseFileName.toByteArray()));
}

bool CatalogueDatabase::CheckDatabaseFile(QByteArrayView PfadZuMDEDatei, DialogService &dialogs)
{
    const QString path = DatabaseFilePath(PfadZuMDEDatei);
    if (QFileInfo(path).isFile())
        return true;
    dialogs.error(
        u"Die Datenbankdatei '"_s + path +
        u"' konnte nicht gefunden werden. Bitte tragen Sie in der "_s +
        u"Ini-Datei unter 'Einstellungen','PfadZuMDEDatei' den korrekten Pfad zur MDE ein."_s);
    return false;
}

void CatalogueDatabase::SetConnectionString(QByteArray connectionString)
{
    Close();
    m_connectionString = std::move(connectionString);
}

void CatalogueDatabase::Close()
{
    m_file.reset();
}

QString CatalogueDatabase::filePath() const
{
    const qsizetype start = m_connectionString.indexOf(DbqKey);
    if (start < 0)
        return {};
    const qsizetype begin = start + DbqKey.size();
    qsizetype end = m_connectionString.indexOf(';', begin);
    if (end < 0)
        end = m_connectionString.size();
    return Cp1252::toUnicode(QByteArrayView(m_connectionString).sliced(begin, end - begin));
}

std::unique_ptr<AccessTable> CatalogueDatabase::OpenTable(QByteArrayView tableName,
                                                          const QString &componentName)
{
    if (!m_file) {
        const QString path = filePath();
        if (path.isEmpty())
            throw AppError(u"Für die Datenbank ist keine Datei angegeben."_s);
        m_file = AccessFile::open(path);
    }
    return std::make_unique<AccessTable>(*m_file, tableName, componentName);
}
