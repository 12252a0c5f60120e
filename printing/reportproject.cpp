#include "printing/reportproject.h"

#include "platform/apperror.h"
#include "printing/reportconnection.h"
#include "printing/reportdocument.h"
#include "printing/reportprojectreader.h"
#include "printing/reportsystem.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>

using namespace Qt::StringLiterals;

ReportProject::ReportProject(QObject *parent)
    : QObject(parent)
{
}

ReportProject::~ReportProject() = default;

void ReportProject::addConnection(ReportConnection *connection)
{
    m_connections.append(connection);
}

void ReportProject::setParameter(const QString &name, const QString &text)
{
    m_parameters.insert(name, text);
}

void ReportProject::open()
{
    QStringList paths{QDir::cleanPath(QDir::current().absoluteFilePath(m_fileName))};
    if (!m_fallbackFolder.isEmpty() && QDir::isRelativePath(m_fileName))
        paths.append(QDir::cleanPath(QDir(m_fallbackFolder).absoluteFilePath(m_fileName)));
    // A folder of that name does not count.
    const auto found = std::find_if(paths.cbegin(), paths.cend(),
                                    [](const QString &path) { return QFileInfo(path).isFile(); });
    if (found == paths.cend()) {
        paths.removeDuplicates();
        throw AppError(u"The following reporting project does not exist:\r\""_s +
                       paths.join(u"\"\r\""_s) + u'"');
    }
    m_contents = readReportProject(*found);
    m_path = *found;
}

void ReportProject::runReport(const QString &name)
{
    // The status window and the preview are modal, so only a programming error gets here.
    if (m_running)
        throw AppError(u"Es läuft bereits ein Bericht."_s);
    m_running = true;
    const auto done = qScopeGuard([this] { m_running = false; });

    if (!m_contents)
        open();
    // Nothing printed and nothing said would leave the user guessing.
    const ReportDefinition *definition = m_contents->find(name);
    if (!definition)
        throw AppError(
            u"Das Berichtsprojekt „%1“ enthält keinen Bericht „%2“."_s.arg(m_path, name));
    const auto connection =
        std::find_if(m_connections.cbegin(), m_connections.cend(),
                     [&](const auto *c) { return c->objectName() == definition->connection; });
    if (connection == m_connections.cend())
        throw AppError(
            u"Der Bericht \"%1\" liest die Datenverbindung \"%2\", die es nicht gibt."_s.arg(
                name, definition->connection));
    if (!m_system)
        throw AppError(u"Dem Berichtsprojekt fehlt das Berichtssystem."_s);

    ReportDocument document(*definition, m_parameters, QDateTime::currentDateTime());
    document.setData(ReportData::pull(**connection, document.layout().fields()));
    m_system->execute(document);
}
