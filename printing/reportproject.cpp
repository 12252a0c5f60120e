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
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(m_fileName));
    // A folder of that name does not count.
    if (!QFileInfo(path).isFile())
        throw AppError(u"The following reporting project does not exist:\r\""_s + path + u'"');
    m_contents = readReportProject(path);
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
    const ReportDefinition *definition = m_contents->find(name);
    if (!definition)
        return;
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
