// The commands of the message protocol, as the engine window carries them out.
#include "documents/engine/enginewindow.h"

#include "documents/engine/core/documentcopy.h"
#include "documents/engine/core/enginedocument.h"
#include "documents/engine/cupsqueue.h"
#include "documents/engine/engineprinter.h"
#include "documents/engine/pageview.h"
#include "documents/engine/viewpanel.h"
#include "documents/pdfviewcommands.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

namespace {

constexpr int PasswordAttempts = 3;
constexpr int HighQualityDpi = 600;
constexpr int DraftDpi = 150;

QString loadError(EngineDocument::Status status, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (status) {
    case EngineDocument::Status::Missing:
        if (path.isEmpty())
            return u"Es wurde keine Datei angegeben."_s;
        return u"Die Datei „%1“ wurde nicht gefunden."_s.arg(name);
    case EngineDocument::Status::Unreadable:
        return u"Die Datei „%1“ kann nicht gelesen werden."_s.arg(name);
    case EngineDocument::Status::Empty:
        return u"Die Datei „%1“ ist leer."_s.arg(name);
    case EngineDocument::Status::Damaged:
        return u"Die Datei „%1“ ist kein lesbares PDF-Dokument. Sie ist beschädigt oder "
               u"unvollständig."_s.arg(name);
    case EngineDocument::Status::Locked:
        return u"Das Dokument „%1“ ist durch ein Kennwort geschützt. Ohne das richtige "
               u"Kennwort kann es nicht angezeigt werden."_s.arg(name);
    case EngineDocument::Status::NoPages:
        return u"Das Dokument „%1“ enthält keine Seiten."_s.arg(name);
    case EngineDocument::Status::Opened:
        break;
    }
    return {};
}

} // namespace

qint32 EngineWindow::valueCommand(int command, qint32 value)
{
    const int page = m_view->currentPage();
    switch (command) {
    case CmdFirstPage:
    case CmdPreviousPage:
    case CmdNextPage:
    case CmdLastPage: {
        if (!m_document)
            return -1;
        const int last = m_document->pageCount() - 1;
        const int target = command == CmdFirstPage      ? 0
                           : command == CmdPreviousPage ? page - 1
                           : command == CmdNextPage     ? page + 1
                                                        : last;
        m_view->goToPage(std::clamp(target, 0, last));
        return 0;
    }
    case CmdGoToPage:
        if (!m_document || value < 0 || value >= m_document->pageCount())
            return -1;
        m_view->goToPage(value, m_view->firstHighlight(value), PageView::PlaceMargin);
        return 0;
    case CmdPrintPages:
        return printPages(value);
    case CmdPrint:
        return printWithDialog();
    case CmdZoomIn:
    case CmdZoomOut:
        return m_view->zoomStep(command == CmdZoomIn ? 1 : -1) ? 0 : -1;
    case CmdGetZoom:
        return qRound(m_view->zoom());
    case CmdGetPageCount:
        return m_document ? m_document->pageCount() : 0;
    case CmdPageWidth:
    case CmdWholePage:
    case CmdTwoPages:
        m_view->setFit(command == CmdWholePage ? PageLayout::Fit::WholePage
                                               : PageLayout::Fit::PageWidth,
                       command == CmdTwoPages);
        return 0;
    case CmdViewControls:
        showParts(value);
        return 0;
    case CmdViewOptions:
        setOptions(value);
        return 0;
    case CmdReplaceKey:
        if (!m_announcingKey)
            return -1;
        m_replacement = value;
        return 0;
    default:
        if (command >= CmdDisablePrint && command <= CmdDisablePDFSecurityOverride)
            return switchOff(command);
        return -1;
    }
}

qint32 EngineWindow::textCommand(int command, const QByteArray &text)
{
    switch (command) {
    case CmdSetPrinter:
        if (!m_switches.selectPrinter)
            return -1;
        m_printerName = QString::fromUtf8(text);
        return 0;
    case CmdLoadFile:
        return loadFile(QFile::decodeName(text));
    case CmdPassword:
        m_password = QString::fromUtf8(text);
        m_passwordGiven = true;
        return 0;
    case CmdHighlightText:
        return highlight(QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts));
    default:
        return -1;
    }
}

qint32 EngineWindow::highlight(const QStringList &texts)
{
    QHash<int, QList<QRectF>> places;
    qint32 found = 0;
    for (int page = 0; m_document && page < m_document->pageCount(); ++page) {
        const QSizeF size = m_document->pageSize(page);
        for (const QString &text : texts) {
            for (const QRectF &place : m_document->find(page, text)) {
                places[page].append(QRectF(place.x() / size.width(), place.y() / size.height(),
                                           place.width() / size.width(),
                                           place.height() / size.height()));
                ++found;
            }
        }
    }
    m_view->setHighlights(std::move(places));
    return found;
}

qint32 EngineWindow::loadFile(const QString &path)
{
    EngineDocument::Status status = EngineDocument::Status::Missing;
    std::unique_ptr<EngineDocument> document;
    if (!path.isEmpty())
        document = EngineDocument::open(path, &status);
    if (document && status == EngineDocument::Status::Locked && unlockDocument(*document, path))
        status = document->status();
    if (status != EngineDocument::Status::Opened) {
        const QString text = loadError(status, path);
        m_document.reset();
        m_view->showMessage(text);
        documentChanged();
        reportError(text);
        return -1;
    }
    m_document = std::move(document);
    m_view->setDocument(m_document);
    documentChanged();
    return 0;
}

bool EngineWindow::unlockDocument(EngineDocument &document, const QString &path)
{
    if (!m_password.isEmpty() && document.unlock(m_password))
        return true;
    // The owner may answer with a password (command 120) while it is being told.
    m_passwordGiven = false;
    notify(NotifyNeedPassword, 0);
    if (m_passwordGiven && document.unlock(m_password))
        return true;
    if (m_options & OptDontAskForPassword)
        return false;
    QString prompt = u"Das Dokument „%1“ ist durch ein Kennwort geschützt.\nKennwort:"_s.arg(
        QFileInfo(path).fileName());
    for (int attempt = 0; attempt < PasswordAttempts; ++attempt) {
        bool entered = false;
        const QString password = QInputDialog::getText(this, u"Kennwort"_s, prompt,
                                                       QLineEdit::Password, QString(), &entered);
        if (!entered)
            return false;
        if (document.unlock(password))
            return true;
        prompt = u"Das Kennwort ist falsch. Bitte geben Sie es noch einmal ein:"_s;
    }
    return false;
}

qint32 EngineWindow::switchOff(int command)
{
    bool *const switches[] = {&m_switches.print,
                              &m_switches.highQualityPrint,
                              &m_switches.selectPrinter,
                              &m_switches.printToDevice,
                              &m_switches.save,
                              &m_switches.copy,
                              &m_switches.forms,
                              &m_switches.edit,
                              &m_switches.securityOverride};
    *switches[command - CmdDisablePrint] = false;
    m_viewPanel->setPrintAllowed(m_document && mayPrint());
    return 0;
}

bool EngineWindow::mayPrint() const
{
    return m_switches.print && (m_switches.securityOverride || m_document->okToPrint());
}

bool EngineWindow::mayCopy() const
{
    return m_switches.copy && (m_switches.securityOverride || m_document->okToCopy());
}

PrintJob EngineWindow::printJob(int first, int last) const
{
    PrintJob job;
    job.first = first;
    job.last = last;
    const bool highQuality = m_switches.highQualityPrint &&
                             (m_switches.securityOverride || m_document->okToPrintHighResolution());
    // CUPS cannot open a file that needs a password.
    job.spoolFile = highQuality && !m_document->neededPassword();
    job.rasterise = m_switches.printToDevice;
    job.maxDpi = highQuality ? HighQualityDpi : DraftDpi;
    return job;
}

qint32 EngineWindow::printPages(qint32 range)
{
    if (!m_document) {
        reportError(u"Es ist kein Dokument geladen."_s);
        return -1;
    }
    if (!mayPrint()) {
        reportError(u"Das Drucken dieses Dokuments ist gesperrt."_s);
        return -1;
    }
    const int first = int(quint32(range) & 0xFFFF);
    const int last = int(quint32(range) >> 16);
    // A range beyond the end means "to the end": the batch print sends 0 to 99.
    const PrintJob job = printJob(first, std::min(last, m_document->pageCount() - 1));
    if (job.first > job.last) {
        reportError(u"Die Seiten %1 bis %2 gibt es in diesem Dokument nicht."_s.arg(first + 1).arg(
            last + 1));
        return -1;
    }
    const QString error = EnginePrinter::print(*m_document, m_printerName, job);
    if (!error.isEmpty()) {
        reportError(error);
        return -1;
    }
    return 0;
}

qint32 EngineWindow::printWithDialog()
{
    if (!m_document || !mayPrint())
        return printPages(pageRange(0, 0xFFFF));
    // Without a choice of printer there is nothing to ask: all pages on the chosen one.
    if (!m_switches.selectPrinter)
        return printPages(pageRange(0, 0xFFFF));
    const int count = m_document->pageCount();
    QPrinter printer(QPrinter::HighResolution);
    const QString queue =
        m_printerName.isEmpty() ? QPrinterInfo::defaultPrinterName() : m_printerName;
    if (!queue.isEmpty())
        printer.setPrinterName(queue);
    printer.setDocName(QFileInfo(m_document->filePath()).fileName());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(u"Drucken"_s);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, count);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    PrintJob job = printJob(0, count - 1);
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        job.first = std::clamp(dialog.fromPage(), 1, count) - 1;
        job.last = std::clamp(dialog.toPage(), job.first + 1, count) - 1;
    } else if (dialog.printRange() == QAbstractPrintDialog::CurrentPage) {
        job.first = job.last = m_view->currentPage();
    }
    job.copies = printer.copyCount();
    QString error;
    if (printer.outputFormat() == QPrinter::NativeFormat && job.spoolFile &&
        CupsQueue::exists(printer.printerName()))
        error = EnginePrinter::spool(*m_document, printer.printerName(), job);
    else if (job.rasterise)
        error = EnginePrinter::rasterise(*m_document, printer, job);
    else
        error = u"Auf diesem Drucker darf das Dokument nicht gedruckt werden."_s;
    if (!error.isEmpty()) {
        reportError(error);
        return -1;
    }
    return 0;
}

void EngineWindow::copyPageText()
{
    if (!m_document)
        return;
    if (!mayCopy()) {
        reportError(u"Das Kopieren aus diesem Dokument ist gesperrt."_s);
        return;
    }
    QGuiApplication::clipboard()->setText(m_document->text(m_view->currentPage()));
}

void EngineWindow::saveCopy()
{
    if (!m_document)
        return;
    if (!m_switches.save) {
        reportError(u"Das Speichern dieses Dokuments ist gesperrt."_s);
        return;
    }
    const QFileInfo source(m_document->filePath());
    const QString target = QFileDialog::getSaveFileName(this, u"Kopie speichern unter"_s,
                                                        QDir::home().filePath(source.fileName()),
                                                        u"PDF-Dokumente (*.pdf)"_s);
    if (target.isEmpty() || QFileInfo(target) == source)
        return;
    if (const QString error = writeDocumentCopy(source.filePath(), target); !error.isEmpty())
        QMessageBox::warning(this, u"Fehler"_s, error);
}
