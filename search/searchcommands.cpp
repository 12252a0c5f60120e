#include "search/searchcommands.h"

#include "documents/documentcommands.h"
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "documents/pdfviewlibrary.h"
#include "documents/untpdffenster.h"
#include "platform/cp1252.h"
#include "platform/guardedconnect.h"
#include "platform/windowplacement.h"
#include "search/searchwindow.h"
#include "settings/programsettings.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString SearchCommands::TextReaderProgram;

SearchCommands::SearchCommands(DialogService &dialogs, const TKennblattListe &catalogue,
                               const LoadedCatalogue &lookups, const ProgramSettings &settings,
                               DocumentCommands &documents, QWidget &owner, QString cacheFolder)
    : QObject(nullptr)
    , m_dialogs(dialogs)
    , m_catalogue(catalogue)
    , m_lookups(lookups)
    , m_settings(settings)
    , m_documents(documents)
    , m_owner(owner)
    , m_cacheFolder(cacheFolder.isEmpty()
                        ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
                        : std::move(cacheFolder))
{
}

SearchCommands::~SearchCommands()
{
    delete m_window;
}

SearchWindow *SearchCommands::window() const
{
    return m_window;
}

QString SearchCommands::catalogueName(const ProgramSettings &settings)
{
    // The folders as the file system knows them, so that two spellings share one index.
    const auto absolute = [](const QByteArray &folder) {
        return QDir(Cp1252::toUnicode(folder)).absolutePath();
    };
    return absolute(settings.PfadZuPDFDateien) + u'|' + absolute(settings.PfadZuMDEDatei);
}

QString SearchCommands::indexPath(const QString &cacheFolder, const QString &catalogue)
{
    const QByteArray key =
        QCryptographicHash::hash(catalogue.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return cacheFolder + u"/volltext-"_s + QString::fromLatin1(key) + u".sqlite"_s;
}

void SearchCommands::setListHeld(bool held)
{
    m_listHeld = held;
    if (m_window != nullptr)
        m_window->setListHeld(held);
}

void SearchCommands::mnuVolltextsucheClick()
{
    if (m_window == nullptr) {
        // The engine reads the texts, in reader processes that load it as this one did;
        // loading it says why when it cannot be loaded.
        std::optional<TextReading> reading;
        if (PDFViewLibrary::load(TPDFView::EngineLibraryName, m_dialogs)) {
            reading = TextReading{TextReaderProgram.isEmpty()
                                      ? QCoreApplication::applicationDirPath() + u"/kb-textreader"_s
                                      : TextReaderProgram,
                                  PDFViewLibrary::fileName()};
        }
        const QString catalogue = catalogueName(m_settings);
        m_window = new SearchWindow(
            SheetDirectory(m_catalogue, m_lookups, m_settings.PfadZuPDFDateien), std::move(reading),
            indexPath(m_cacheFolder, catalogue), catalogue, &m_owner);
        connect(m_window, &SearchWindow::restrictionRequested, this,
                &SearchCommands::restrictionRequested);
        connectGuarded(m_dialogs, m_window.get(), &SearchWindow::hitOpenRequested, this,
                       &SearchCommands::showHit);
        m_window->setListHeld(m_listHeld);
    }
    // Beside the document window, where the user reads what it finds.
    if (m_window->isHidden() && m_documents.frmPDFFenster() != nullptr)
        WindowPlacement::placeBeside(*m_window, *m_documents.frmPDFFenster());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void SearchCommands::showHit(const QString &path, int page, const QStringList &places)
{
    const TfrmPDFFenster *const shown = m_documents.frmPDFFenster();
    const bool wasShown = shown != nullptr && shown->isVisible();
    m_documents.ShowPdfFile(path);
    // The main window's one document window, which ShowPdfFile makes on first use.
    TfrmPDFFenster *window = m_documents.frmPDFFenster();
    // Opened now: beside the search window, whose list the user goes on reading.
    if (window != nullptr && !wasShown && window->isVisible() && m_window != nullptr)
        WindowPlacement::placeBeside(*window, *m_window);
    if (window != nullptr && window->pdfView()->LastLoadedFile() == path)
        showHitInView(*window->pdfView(), page, places);
}

qint32 showHitInView(TPDFView &view, int page, const QStringList &places)
{
    // Marked first, so that going to the page brings its first mark into view.
    const qint32 marked =
        view.SendCommandText(PDFViewCommands::CmdHighlightText, places.join(u'\n'));
    view.SendCommandValue(PDFViewCommands::CmdGoToPage, page);
    return marked;
}
