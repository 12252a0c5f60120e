#include "printing/interactivereportsystem.h"

#include "platform/apperror.h"
#include "platform/qtdialogservice.h"
#include "printing/currentprinter.h"
#include "printing/printerdialogs.h"
#include "printing/reportdocument.h"
#include "printing/reportpreviewdialog.h"
#include "printing/reportrenderpdf.h"
#include "printing/reportstatuswindow.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

InteractiveReportSystem::InteractiveReportSystem(QObject *parent)
    : ReportSystem(parent)
{
}

InteractiveReportSystem::~InteractiveReportSystem() = default;

std::unique_ptr<ReportProgress> InteractiveReportSystem::createProgress(const QString &text)
{
    return std::make_unique<ReportStatusWindow>(settings().statusTitle, text, m_dialogParent);
}

template<typename Command>
void InteractiveReportSystem::guarded(Command &&command)
{
    QString error;
    try {
        command();
        return;
    } catch (const AppError &e) {
        error = e.text();
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
    }
    if (m_dialogs) {
        m_dialogs->error(error);
    } else {
        QtDialogService dialogs(QGuiApplication::applicationDisplayName());
        dialogs.error(error);
    }
}

void InteractiveReportSystem::preview(const ReportDocument &document)
{
    ReportPreviewDialog dialog(document, settings(), m_dialogParent);
    connect(&dialog, &ReportPreviewDialog::printRequested, this,
            [&] { guarded([&] { printOn(document, &dialog); }); });
    connect(&dialog, &ReportPreviewDialog::printerSetupRequested, this,
            [&] { guarded([&] { printerSetup(&dialog); }); });
    connect(&dialog, &ReportPreviewDialog::savePdfRequested, this,
            [&] { guarded([&] { savePdf(document, &dialog); }); });
    dialog.exec();
}

void InteractiveReportSystem::print(const ReportDocument &document)
{
    printOn(document, m_dialogParent);
}

void InteractiveReportSystem::prepare(QPrinter &printer, const ReportDocument &document) const
{
    const QPageLayout page = document.layout().pageLayout();
    printer.setDocName(settings().jobTitle);
    printer.setPageSize(page.pageSize());
    printer.setPageOrientation(page.orientation());
    // The layout places everything from the paper's corner, margins included.
    printer.setFullPage(true);
    printer.setPrintRange(QPrinter::AllPages);
}

void InteractiveReportSystem::printOn(const ReportDocument &document, QWidget *parent)
{
    QPrinter &printer = CurrentPrinter();
    prepare(printer, document);
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintToFile);
    dialog.setMinMax(1, document.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;

    ReportPrintOptions options;
    if (printer.printRange() == QPrinter::PageRange) {
        options.fromPage = printer.fromPage();
        options.toPage = printer.toPage();
    }
    // CUPS makes copies itself; other devices get every copy painted.
    if (!printer.supportsMultipleCopies()) {
        options.copies = printer.copyCount();
        options.collate = printer.collateCopies();
    }
    const auto progress = settings().showStatus ? createProgress(settings().printingText)
                                                : std::unique_ptr<ReportProgress>();
    bool stopped = false;
    const bool printed = paintReport(document, printer, options, [&](int page) {
        if (!progress || progress->pageDone(page))
            return true;
        stopped = true;
        printer.abort();
        return false;
    });
    if (!printed && !stopped)
        throw AppError(u"Der Bericht konnte nicht gedruckt werden (Drucker \"%1\")."_s.arg(
            printer.printerName()));
}

void InteractiveReportSystem::printerSetup(QWidget *parent)
{
    PrinterDialogs::setup(CurrentPrinter(), parent);
}

void InteractiveReportSystem::savePdf(const ReportDocument &document, QWidget *parent)
{
    const ReportRenderPdf *pdf = pdfRenderer();
    if (!pdf)
        throw AppError(u"Der Bericht kann keine PDF-Dateien schreiben."_s);
    const QString suffix = pdf->settings().fileExtension.section(u'.', -1);
    QString path = QFileDialog::getSaveFileName(
        parent, u"Als PDF speichern"_s, QDir::home().filePath(settings().jobTitle + u'.' + suffix),
        pdf->settings().fileFilter());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    writePdf(document, path);
}
