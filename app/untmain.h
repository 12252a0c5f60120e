#pragma once

#include "catalogue/lookuplist.h"
#include "list/filtermatch.h"
#include "list/listbuilder.h"
#include "settings/programsettings.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class CatalogueDatabase;
class DialogService;
class DropDownComboBox;
class HeaderControl;
class KennblattListModel;
class KennblattListView;
class OwnerDrawComboBox;
class ProfileFile;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTimer;
class TKennblattListe;
class TfrmReport;
class TfrmSplash;

// The main window: host of the catalogue list, its filters and headers, and of the commands.
// Its handlers keep the names users of the catalogue's documentation know; those of other
// subsystems are defined in their folders (list/, documents/).
class TfrmMain final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmMain)

public:
    static constexpr int ReferenceDocumentCount = 10;

    // Builds the design, then runs the start-up sequence (FormCreate).
    TfrmMain(DialogService &dialogs, TKennblattListe &catalogue, QString settingsPath,
             QWidget *parent = nullptr);
    // Runs the closing steps (FormDestroy).
    ~TfrmMain() override;

    // Start-up and lifecycle (app/untmain_lifecycle.cpp)
    void FormCreate();
    void Timer1Timer();
    void TimerSplashTimer();
    void mnuBeendenClick();
    void FormDestroy();

    // List building and filter controls (list/untmain_filter.cpp)
    void RebuildList(bool clearFirst);
    void cmbFilterKennblattNrExit(QComboBox *sender);
    void cmbFilterKennblattNrKeyPress(QComboBox *sender, int key);
    void cmbFilterGeaendertSelect();
    void edtFilterHerstellerKeyPress(int key);
    void cmbFilterGeaendertKeyPress();
    void cmbFilterHerstellerSelect();
    void cmbFilterZusatzSelect();
    void cmbFilterTUEOSelect();
    void cmbFilterGeaendertDropDown();
    void cmbFilterTUEODropDown();
    void cmbFilterZusatzDropDown();
    void cmbFilterHerstellerDropDown();
    void btnLoeschenClick();
    void mnuAlleFilterloeschenClick();
    void placeFilterControls();

    // Column headers and sorting (list/untmain_header.cpp)
    void hcKopfResize();
    void hcKopfSectionResize(int section);
    void hcKopfSectionClick(int section);
    void lvKennblaetterCustomDraw();

    // Selection and marking (list/untmain_selection.cpp)
    void lvKennblaetterSelectItem();
    void lvKennblaetterDblClick();
    void lvKennblaetterKeyPress(int key);

    // Opening data sheets (documents/untmain_documents.cpp)
    void btnAnzeigenClick();
    void ShowPdfFile(const QString &path);

    // State other parts and tests read.
    qint32 SortOrder = 0;
    QByteArray Edition;
    QByteArray EditionLabel;
    LookupList HerstellerLookup;
    LookupList ZusatzLookup;
    LookupList InfogeberLookup;
    const ProgramSettings &settings() const { return m_settings; }
    const FilterState &lastAppliedFilters() const { return m_listBuilder.lastApplied(); }
    KennblattListModel &listModel() const { return *m_model; }
    bool startupCompleted() const { return m_startupCompleted; }
    bool applicationEndRequested() const { return m_applicationEndRequested; }
    QString statusText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildDesign();
    void buildMenu();
    void buildFilterControls();
    void wireList();
    void wireHeaders();
    void wireSelection();
    void wireDocuments();
    void layoutClientArea();
    void readReferenceDocumentNames(const ProfileFile &file);
    void requestApplicationEnd();
    FilterState currentFilterState() const;
    void setLookupEditFromCombo(QComboBox *combo, QLineEdit *edit);
    void drawLookupItem(QComboBox &control, QPainter &painter, const QRect &rect, int index,
                        bool selected, const QPalette &palette);
    void setStatusText(const QString &text);
    bool filterControlEvent(QObject *watched, QEvent *event);

    // A control on the filter header: its section, how much narrower than the section and how
    // much lower than the header it is.
    struct FilterControl
    {
        static constexpr int KeepsWidth = -1;
        QWidget *control;
        int section;
        int widthLoss;
        int heightLoss;
    };
    std::array<FilterControl, 11> filterControls() const;
    // Runs a handler at the boundary of an event: an error is shown, the program goes on.
    void guarded(const std::function<void()> &handler);
    // Connects a signal to a handler that runs inside that guard.
    template<typename Sender, typename Signal>
    void connectHandler(Sender *sender, Signal signal, void (TfrmMain::*handler)())
    {
        connect(sender, signal, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    }

    DialogService &m_dialogs;
    const QString m_settingsPath;
    TKennblattListe &m_catalogue;
    ProgramSettings m_settings;
    std::unique_ptr<CatalogueDatabase> ADOConnection1;
    KennblattListModel *m_model = nullptr;
    ListBuilder m_listBuilder;
    std::array<QByteArray, ReferenceDocumentCount> m_referenceDocumentNames;
    bool m_startupCompleted = false;
    bool m_applicationEndRequested = false;
    bool m_kopfResizeAttached = true;

    // Windows this window owns.
    TfrmSplash *frmSplash = nullptr;
    TfrmReport *frmReport = nullptr;

    // Controls, named as in the design.
    QLabel *StaticText1 = nullptr;
    QLabel *StaticText2 = nullptr;
    QComboBox *cmbDrucklisten = nullptr;
    QPushButton *btnDrucken = nullptr;
    QPushButton *btnAnzeigen = nullptr;
    QPushButton *btnInfo = nullptr;
    QFrame *Bevel1 = nullptr;
    QWidget *Panel1 = nullptr;
    HeaderControl *hcKopf = nullptr;
    HeaderControl *hcFilter = nullptr;
    KennblattListView *lvKennblaetter = nullptr;
    QComboBox *cmbFilterKennblattNr = nullptr;
    QComboBox *cmbFilterMarke = nullptr;
    QComboBox *cmbFilterPulver = nullptr;
    OwnerDrawComboBox *cmbFilterHersteller = nullptr;
    OwnerDrawComboBox *cmbFilterZusatz = nullptr;
    OwnerDrawComboBox *cmbFilterTUEO = nullptr;
    QLineEdit *edtFilterHersteller = nullptr;
    QLineEdit *edtFilterZusatz = nullptr;
    QLineEdit *edtFilterTUEO = nullptr;
    DropDownComboBox *cmbFilterGeaendert = nullptr;
    QPushButton *btnLoeschen = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *m_statusLabel = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *TimerSplash = nullptr;

    // Menu
    QMenu *mnuDatei = nullptr;
    QAction *mnuDruckereinrichtung = nullptr;
    QAction *mnuBeenden = nullptr;
    QMenu *mnuKennblatt = nullptr;
    std::array<QAction *, ReferenceDocumentCount> m_referenceDocumentItems{};
    QMenu *mnuExtras = nullptr;
    QAction *mnuAlleFilterloeschen = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuHilfe = nullptr;
    QAction *mnuInfo = nullptr;
};
