#include "printing/reportsystem.h"

#include "platform/apperror.h"
#include "printing/reportdocument.h"
#include "printing/reportrenderpdf.h"

using namespace Qt::StringLiterals;

ReportSystem::ReportSystem(QObject *parent)
    : QObject(parent)
{
}

ReportSystem::~ReportSystem() = default;

QString ReportSystem::pageText(const QString &text, int page)
{
    return QString(text).replace(u"%p"_s, QString::number(page));
}

std::unique_ptr<ReportProgress> ReportSystem::createProgress(const QString &)
{
    return nullptr;
}

void ReportSystem::execute(ReportDocument &document)
{
    {
        const auto progress =
            m_settings.showStatus ? createProgress(m_settings.generatingText) : nullptr;
        while (document.generateNextPage()) {
            if (progress && !progress->pageDone(document.pageCount()))
                return;
        }
    }
    switch (m_settings.destination) {
    case ReportDestination::Preview:
        preview(document);
        break;
    case ReportDestination::Printer:
        print(document);
        break;
    case ReportDestination::File:
        if (m_settings.outputFile.isEmpty())
            throw AppError(u"Für den Bericht ist keine Ausgabedatei angegeben."_s);
        writePdf(document, m_settings.outputFile);
        break;
    }
}

void ReportSystem::writePdf(const ReportDocument &document, const QString &path)
{
    if (!m_pdf)
        throw AppError(u"Der Bericht kann keine PDF-Dateien schreiben."_s);
    const auto progress = m_settings.showStatus ? createProgress(m_settings.printingText) : nullptr;
    m_pdf->write(document, path, m_settings.jobTitle,
                 [&](int page) { return !progress || progress->pageDone(page); });
}

void ReportSystem::preview(const ReportDocument &)
{
    throw AppError(u"Die Berichtsvorschau ist hier nicht verfügbar."_s);
}

void ReportSystem::print(const ReportDocument &)
{
    throw AppError(u"Das Drucken von Berichten ist hier nicht verfügbar."_s);
}
