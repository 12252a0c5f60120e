#include "printing/printcommands.h"

#include "catalogue/loadedcatalogue.h"
#include "catalogue/tkennblatt.h"
#include "list/currentlist.h"
#include "platform/apperror.h"
#include "platform/dialogservice.h"
#include "printing/batchpdfpath.h"
#include "printing/currentprinter.h"
#include "printing/printerdialogs.h"
#include "printing/sheetprinter.h"
#include "printing/untdruckstatus.h"
#include "printing/untlisten.h"
#include "settings/programsettings.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// After each printed sheet the batch waits with events held back, so that the printer's
// queue keeps pace.
constexpr auto PauseAfterSheet = 500ms;

// The pages sent for each sheet: more than any data sheet has.
constexpr int FirstPage = 0;
constexpr int LastPage = 99;

// The batch lets events in only where it calls this.
void processEvents()
{
    QCoreApplication::processEvents();
}

} // namespace

PrintCommands::PrintCommands(DialogService &dialogs, const ProgramSettings &settings,
                             const LoadedCatalogue &catalogue, const CurrentList &list,
                             const QComboBox &cmbDrucklisten, SheetPrinter &PDFView1,
                             QString settingsPath, QWidget &owner)
    : QObject(nullptr)
    , PrintDialog1([this](QPrinter &printer) { return PrinterDialogs::print(printer, &m_owner); })
    , PrinterSetupDialog1(
          [this](QPrinter &printer) { return PrinterDialogs::setup(printer, &m_owner); })
    , m_dialogs(dialogs)
    , m_settings(settings)
    , m_catalogue(catalogue)
    , m_list(list)
    , m_cmbDrucklisten(cmbDrucklisten)
    , PDFView1(PDFView1)
    , m_settingsPath(std::move(settingsPath))
    , m_owner(owner)
{
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::createForms()
{
    frmDruckStatus = new TfrmDruckStatus(&m_owner);
    connect(frmDruckStatus, &TfrmDruckStatus::abortRequested, this,
            [this] { DruckAbbruch = true; });
    frmReport = new TfrmReport(m_settingsPath, &m_owner);
}

void PrintCommands::releaseReport()
{
    delete frmReport;
    frmReport = nullptr;
}

void PrintCommands::btnDruckenClick()
{
    // Another command in the middle of a batch would walk a list the batch holds.
    if (m_batchRunning)
        return;
    const int printKind = m_cmbDrucklisten.currentIndex();
    const int count =
        printKind == AktuelleKennblaetter ? m_list.rowCount() : int(m_list.markedRows().size());
    // Only a hint: the command goes on with nothing to print.
    if ((printKind == MarkierteListe || printKind == MarkierteKennblaetter) && count == 0)
        m_dialogs.information(u"Bitte markieren Sie die zu druckenden Kennblätter."_s);
    switch (printKind) {
    case AktuelleListe:
    case MarkierteListe:
        frmReport->RunListReport(printKind, m_list, m_catalogue.Edition, m_catalogue.EditionLabel,
                                 m_dialogs);
        return;
    case AktuelleKennblaetter:
    case MarkierteKennblaetter:
        printSheets(printKind, count);
        return;
    default:
        throw AppError(u"Unbekannte Druckart ausgewählt."_s);
    }
}

void PrintCommands::mnuDruckereinrichtungClick()
{
    choosePrinter(PrinterSetupDialog1);
}

bool PrintCommands::choosePrinter(const PrinterDialog &dialog)
{
    // The dialog works on a copy: a cancelled dialog leaves the current printer alone, and
    // only the printer itself is taken over, not the dialog's other choices.
    QPrinter chosen(QPrinter::HighResolution);
    if (const QString current = CurrentPrinter().printerName(); !current.isEmpty())
        chosen.setPrinterName(current);
    if (!dialog(chosen))
        return false;
    const QString name =
        chosen.outputFormat() == QPrinter::NativeFormat ? chosen.printerName() : QString();
    if (name.isEmpty()) {
        m_dialogs.error(u"Es ist kein Drucker eingerichtet."_s);
        return false;
    }
    // Asked for a printer CUPS does not know, QPrinter prints on the default one unasked.
    if (QPrinterInfo::printerInfo(name).isNull()) {
        m_dialogs.error(u"Der Drucker „%1“ ist nicht vorhanden."_s.arg(name));
        return false;
    }
    CurrentPrinter().setPrinterName(name);
    return true;
}

void PrintCommands::printSheets(int printKind, int count)
{
    if (count > SheetsWithoutQuestion &&
        !m_dialogs.confirm(u"Sie haben %1 Kennblätter zum Druck ausgewählt. Wollen Sie alle "
                           u"Blätter drucken?"_s.arg(count)))
        return;
    DruckAbbruch = false;
    if (!choosePrinter(PrintDialog1))
        return;
    const QByteArrayList numbers = takenNumbers(printKind);

    m_batchRunning = true;
    Q_EMIT batchStarted();
    const auto finish = qScopeGuard([this] {
        frmDruckStatus->setButtonCaption(TfrmDruckStatus::Schliessen);
        m_batchRunning = false;
        Q_EMIT batchFinished();
    });
    frmDruckStatus->clearLines();
    frmDruckStatus->setButtonCaption(TfrmDruckStatus::Abbruch);
    frmDruckStatus->show();
    frmDruckStatus->addLine(u"Druck von %1 Kennblättern gestartet..."_s.arg(count));
    processEvents();
    processEvents();
    const QString deviceName = CurrentPrinter().printerName();
    frmDruckStatus->addLine(u"Drucker "_s + deviceName + u"     gewählt."_s);
    walkSheets(numbers, deviceName);
    processEvents();
    processEvents();
}

QByteArrayList PrintCommands::takenNumbers(int printKind) const
{
    // Read once, before the first event comes in: the walk never reads the list itself.
    QByteArrayList numbers;
    for (int row = 0; row < m_list.rowCount(); ++row) {
        if (printKind == AktuelleKennblaetter || m_list.isMarked(row))
            numbers.append(m_list.kennblatt(row).GetNummer());
    }
    return numbers;
}

void PrintCommands::walkSheets(const QByteArrayList &numbers, const QString &deviceName)
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const qsizetype count = numbers.size();
    for (qsizetype x = 0; x < count; ++x) {
        if (DruckAbbruch)
            return;
        const QString path =
            batchPdfPath(m_settings.PfadZuPDFDateien, numbers.at(x), executableFolder);
        if (!QFileInfo(path).isFile()) {
            m_dialogs.plain(u"Datei '"_s + path + u"' nicht vorhanden."_s);
        } else {
            processEvents();
            const bool printed = PDFView1.LoadFromFile(path) &&
                                 PDFView1.SelectPrinter(deviceName) &&
                                 PDFView1.PrintPages(FirstPage, LastPage);
            if (DruckAbbruch) {
                frmDruckStatus->addLine(u"Druckvorgang abgebrochen"_s);
                return;
            }
            const QString progress = u" (%1 von %2)"_s.arg(x + 1).arg(count);
            if (printed) {
                frmDruckStatus->addLine(path + u"     ... gedruckt."_s + progress);
                std::this_thread::sleep_for(PauseAfterSheet);
                processEvents();
            } else {
                // Nothing reached the printer, so there is nothing to wait for.
                const QString reason = PDFView1.errorText();
                frmDruckStatus->addLine(path + u"     ... nicht gedruckt."_s + progress +
                                        (reason.isEmpty() ? QString() : u" Grund: "_s + reason));
                // Without the printer every further sheet would fail the same way.
                if (QPrinterInfo::printerInfo(deviceName).isNull()) {
                    frmDruckStatus->addLine(u"Druckvorgang abgebrochen"_s);
                    m_dialogs.error(u"Der Drucker „%1“ ist nicht mehr vorhanden. Die übrigen "
                                    u"Kennblätter werden nicht gedruckt."_s.arg(deviceName));
                    return;
                }
            }
        }
        processEvents();
    }
}
