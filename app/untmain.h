#pragma once

#include "catalogue/loadedcatalogue.h"
#include "documents/referencedocuments.h"
#include "settings/programsettings.h"

#include <QMainWindow>

#include <array>
#include <memory>

class CatalogueDatabase;
class ColumnHeaders;
class DialogService;
class DocumentCommands;
class FilterBar;
class InfoCommands;
class KennblattListModel;
class ListController;
class ListExportCommands;
class PdfViewSheetPrinter;
class PrintCommands;
class QAction;
class QLabel;
class QTimer;
class SearchCommands;
class SettingsStore;
class TKennblattListe;
class TfrmSplash;
namespace Ui {
class TfrmMain;
}

// The main window: the form with its controls, menu and timers, the start-up sequence and the
// closing steps. What the controls do lives in one object per subsystem (filters, headers and
// list in list/, the opening commands in documents/, the print command in printing/); the window
// owns them and wires them.
class TfrmMain final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmMain)

public:
    // Builds the form, then runs the start-up sequence (FormCreate) with the given settings
    // file; the catalogue is filled from the database it names.
    TfrmMain(DialogService &dialogs, TKennblattListe &catalogue, QString settingsPath,
             QWidget *parent = nullptr);
    // Runs the closing steps (FormDestroy).
    ~TfrmMain() override;

    // Start-up and lifecycle.
    void FormCreate();
    void Timer1Timer();
    void TimerSplashTimer();
    void mnuBeendenClick();
    void FormDestroy();

    // The subsystems and the state they share, for the tests and tools that drive the window.
    FilterBar &filterBar() const { return *m_filters; }
    ListController &list() const { return *m_list; }
    ListExportCommands &listExport() const { return *m_export; }
    DocumentCommands &documents() const { return *m_documents; }
    PrintCommands &printing() const { return *m_print; }
    const KennblattListModel &listModel() const;
    const LoadedCatalogue &catalogueContent() const { return m_loaded; }
    const ProgramSettings &settings() const { return m_settings; }
    bool startupCompleted() const { return m_startupCompleted; }
    bool applicationEndRequested() const { return m_applicationEndRequested; }
    QString statusText() const;

private:
    void buildDesign();
    void createSubsystems();
    void wireLifecycle();
    void wireList();
    void wireDocuments();
    void wirePrinting();
    void holdListDuringBatch(bool hold);
    void wireInfo();
    void wireSearch();
    void placeWindow();
    void loadCatalogue();
    qint32 readSplashInterval(const SettingsStore &settings) const;
    void requestApplicationEnd();

    DialogService &m_dialogs;
    const QString m_settingsPath;
    TKennblattListe &m_catalogue;
    ProgramSettings m_settings;
    LoadedCatalogue m_loaded;
    std::unique_ptr<CatalogueDatabase> ADOConnection1;
    std::unique_ptr<Ui::TfrmMain> ui;
    bool m_startupCompleted = false;
    bool m_applicationEndRequested = false;

    // Windows this window owns.
    TfrmSplash *frmSplash = nullptr;

    QLabel *m_statusText = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *TimerSplash = nullptr;
    std::array<QAction *, ReferenceDocuments.size()> m_referenceDocumentItems{};

    // Released before the controls they work on.
    std::unique_ptr<FilterBar> m_filters;
    std::unique_ptr<ListController> m_list;
    std::unique_ptr<ColumnHeaders> m_headers;
    std::unique_ptr<ListExportCommands> m_export;
    std::unique_ptr<DocumentCommands> m_documents;
    std::unique_ptr<PdfViewSheetPrinter> m_sheetPrinter;
    std::unique_ptr<PrintCommands> m_print;
    std::unique_ptr<InfoCommands> m_info;
    std::unique_ptr<SearchCommands> m_search;
};
