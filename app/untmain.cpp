#include "app/untmain.h"

#include "app/pdfviewsheetprinter.h"
#include "app/startupprobe.h"
#include "catalogue/cataloguedatabase.h"
#include "documents/documentcommands.h"
#include "documents/pdfview.h"
#include "info/infocommands.h"
#include "list/columnheaders.h"
#include "list/filterbar.h"
#include "list/headercontrol.h"
#include "list/kennblattlistview.h"
#include "list/listcontroller.h"
#include "list/listexportcommands.h"
#include "list/restrictioncue.h"
#include "platform/anchors.h"
#include "platform/designfont.h"
#include "platform/guardedconnect.h"
#include "printing/printcommands.h"
#include "search/searchcommands.h"
#include "ui_untmain.h"

#include <QCoreApplication>
#include <QMenuBar>
#include <QTimer>

using namespace Qt::StringLiterals;

TfrmMain::TfrmMain(DialogService &dialogs, TKennblattListe &catalogue, QString settingsPath,
                   QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_settingsPath(std::move(settingsPath))
    , m_catalogue(catalogue)
    , ADOConnection1(std::make_unique<CatalogueDatabase>())
    , ui(std::make_unique<Ui::TfrmMain>())
{
    buildDesign();
    StartupProbe::mark("form built");
    createSubsystems();
    wireLifecycle();
    wireList();
    wireDocuments();
    wirePrinting();
    wireInfo();
    wireSearch();
    runHandler(m_dialogs, [this] { FormCreate(); });
}

TfrmMain::~TfrmMain()
{
    runHandler(m_dialogs, [this] { FormDestroy(); });
}

void TfrmMain::buildDesign()
{
    // The hidden view control of the form loads the PDF engine while the form is built, and
    // reports a missing engine through the program's boxes.
    TPDFView::setDialogService(&m_dialogs);
    ui->setupUi(this);
    ui->PDFView1->Loaded();
    setFont(designFont(u"Verdana"_s, 11));
    // The client area as designed; the anchored controls keep their distances to its edges.
    ui->clientArea->resize(846, 640);
    Anchors::anchor(*ui->Bevel1, Qt::RightEdge | Qt::BottomEdge);
    Anchors::anchor(*ui->Panel1, Qt::RightEdge);
    Anchors::anchor(*ui->lvKennblaetter, Qt::BottomEdge);
    ui->StaticText2->setBackgroundRole(QPalette::Highlight);
    ui->StaticText2->setForegroundRole(QPalette::HighlightedText);

    ui->mnuDatei->actions().at(1)->setVisible(false); // the separator below the printer setup
    ui->mnuExtras->menuAction()->setVisible(false);
    for (std::size_t i = 0; i < ReferenceDocuments.size(); ++i) {
        const ReferenceDocument &document = ReferenceDocuments[i];
        m_referenceDocumentItems[i] = ui->mnuKennblatt->addAction(document.caption.toString());
        m_referenceDocumentItems[i]->setObjectName(document.menuItem.toString());
    }

    ui->StatusBar1->setFixedHeight(25);
    m_statusText = new QLabel(ui->StatusBar1);
    ui->StatusBar1->addWidget(m_statusText, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(100);
    TimerSplash = new QTimer(this);
    TimerSplash->setObjectName(u"TimerSplash"_s);
}

void TfrmMain::createSubsystems()
{
    m_filters = std::make_unique<FilterBar>(m_dialogs, *ui->clientArea, m_loaded);
    m_list = std::make_unique<ListController>(m_dialogs, m_catalogue, *ui->lvKennblaetter,
                                              *ui->StaticText2);
    m_headers = std::make_unique<ColumnHeaders>(m_dialogs, *ui->Panel1, *ui->lvKennblaetter);
    m_export = std::make_unique<ListExportCommands>(m_dialogs, *m_list, *this);
    m_documents = std::make_unique<DocumentCommands>(m_dialogs, m_settings, *m_list, *this);
    m_sheetPrinter = std::make_unique<PdfViewSheetPrinter>(*ui->PDFView1);
    m_print = std::make_unique<PrintCommands>(m_dialogs, m_settings, m_loaded, *m_list,
                                              *ui->cmbDrucklisten, *m_sheetPrinter, m_settingsPath,
                                              *this);
    m_search = std::make_unique<SearchCommands>(m_dialogs, m_catalogue, m_loaded, m_settings,
                                                *m_documents, *this);
    m_info = std::make_unique<InfoCommands>(this);
}

void TfrmMain::wireLifecycle()
{
    connectGuarded(m_dialogs, Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    connectGuarded(m_dialogs, TimerSplash, &QTimer::timeout, this, &TfrmMain::TimerSplashTimer);
    connectGuarded(m_dialogs, ui->mnuBeenden, &QAction::triggered, this,
                   &TfrmMain::mnuBeendenClick);
}

void TfrmMain::wireList()
{
    FilterBar *filters = m_filters.get();
    ListController *list = m_list.get();
    ColumnHeaders *headers = m_headers.get();
    // The filters flow one way: the bar hands on what its controls hold, the list builds.
    connectGuarded(m_dialogs, filters, &FilterBar::filtersCommitted, list,
                   &ListController::applyFilters);
    connect(filters, &FilterBar::filtersCleared, list, &ListController::forgetRestriction);
    connectGuarded(m_dialogs, ui->mnuAlleFilterloeschen, &QAction::triggered, filters,
                   &FilterBar::mnuAlleFilterloeschenClick);
    connectGuarded(m_dialogs, headers, &ColumnHeaders::filterSectionResized, filters,
                   &FilterBar::sectionResized);
    connectGuarded(m_dialogs, &headers->kopf(), &QHeaderView::sectionClicked, list,
                   &ListController::hcKopfSectionClick);
    connectGuarded(m_dialogs, list, &ListController::sortColumnChosen, headers,
                   &ColumnHeaders::showSortArrow);
    connect(list, &ListController::statusTextChanged, m_statusText, &QLabel::setText);
    connectGuarded(m_dialogs, ui->mnuListeExportieren, &QAction::triggered, m_export.get(),
                   &ListExportCommands::mnuListeExportierenClick);
    connectGuarded(m_dialogs, ui->lvKennblaetter, &KennblattListView::copyRequested, m_export.get(),
                   &ListExportCommands::copyMarkedRows);
    RestrictionCue *cue = &filters->restrictionCue();
    connect(list, &ListController::restrictionShown, cue, &RestrictionCue::showRestriction);
    connectGuarded(m_dialogs, cue, &QAbstractButton::clicked, list,
                   &ListController::clearRestriction);
}

void TfrmMain::wireDocuments()
{
    DocumentCommands *documents = m_documents.get();
    connectGuarded(m_dialogs, ui->btnAnzeigen, &QPushButton::clicked, documents,
                   &DocumentCommands::btnAnzeigenClick);
    connectGuarded(m_dialogs, m_list.get(), &ListController::showRequested, documents,
                   &DocumentCommands::btnAnzeigenClick);
    for (std::size_t i = 0; i < ReferenceDocuments.size(); ++i) {
        connectGuarded(m_dialogs, m_referenceDocumentItems[i], &QAction::triggered, documents,
                       DocumentCommands::ReferenceDocumentHandlers[i]);
    }
    connectGuarded(m_dialogs, ui->mnuHilfe, &QAction::triggered, documents,
                   &DocumentCommands::mnuHilfeClick);
}

void TfrmMain::wirePrinting()
{
    PrintCommands *print = m_print.get();
    connectGuarded(m_dialogs, ui->btnDrucken, &QPushButton::clicked, print,
                   &PrintCommands::btnDruckenClick);
    connectGuarded(m_dialogs, ui->mnuDruckereinrichtung, &QAction::triggered, print,
                   &PrintCommands::mnuDruckereinrichtungClick);
    connect(print, &PrintCommands::batchStarted, this, [this] { holdListDuringBatch(true); });
    connect(print, &PrintCommands::batchFinished, this, [this] { holdListDuringBatch(false); });
}

// The batch walks the rows it took at its start: while it runs, the list, its filters, the
// buttons and the menus take no input. The print status window and the document window are
// windows of their own and stay usable.
void TfrmMain::holdListDuringBatch(bool hold)
{
    ui->clientArea->setEnabled(!hold);
    menuBar()->setEnabled(!hold);
    m_search->setListHeld(hold);
}

void TfrmMain::wireInfo()
{
    InfoCommands *info = m_info.get();
    connectGuarded(m_dialogs, ui->mnuInfo, &QAction::triggered, info, &InfoCommands::mnuInfoClick);
    connectGuarded(m_dialogs, ui->btnInfo, &QPushButton::clicked, info,
                   &InfoCommands::btnInfoClick);
    connectGuarded(m_dialogs, info, &InfoCommands::helpRequested, m_documents.get(),
                   &DocumentCommands::mnuHilfeClick);
}

void TfrmMain::wireSearch()
{
    // The search's item makes the otherwise hidden menu visible.
    ui->mnuExtras->menuAction()->setVisible(true);
    QAction *item = ui->mnuExtras->addAction(u"&Volltextsuche …"_s);
    item->setObjectName(u"mnuVolltextsuche"_s);
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connectGuarded(m_dialogs, item, &QAction::triggered, m_search.get(),
                   &SearchCommands::mnuVolltextsucheClick);
    connectGuarded(m_dialogs, m_search.get(), &SearchCommands::restrictionRequested, m_list.get(),
                   &ListController::setRestriction);
}

const KennblattListModel &TfrmMain::listModel() const
{
    return m_list->model();
}

QString TfrmMain::statusText() const
{
    return m_statusText->text();
}

void TfrmMain::requestApplicationEnd()
{
    m_applicationEndRequested = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}
