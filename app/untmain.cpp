#include "app/untmain.h"

#include "app/untfrmsplash.h"
#include "catalogue/cataloguedatabase.h"
#include "catalogue/tkennblattliste.h"
#include "documents/referencedocuments.h"
#include "list/dropdowncombobox.h"
#include "list/headercontrol.h"
#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "list/ownerdrawcombobox.h"
#include "platform/handlerguard.h"
#include "printing/untlisten.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Distances of the anchored controls to the right and bottom edges of the client area, as
// designed for a client area of 846 x 640 pixels.
constexpr int Bevel1RightMargin = 3;
constexpr int Bevel1BottomMargin = 10;
constexpr int Panel1RightMargin = 5;
constexpr int ListBottomMargin = 13;

QFont verdana(int pixelSize)
{
    QFont font(u"Verdana"_s);
    font.setPixelSize(pixelSize);
    return font;
}

template<typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QList<HeaderControl::Section> kopfSections()
{
    return {
        {u"Kennblatt-Nr."_s, 150, 40, true}, {u"Marke"_s, 150, 40, true},
        {u"Pulver"_s, 150, 0, true},         {u"Herst./Lief."_s, 50, 0, true},
        {u"Zusatz-Art"_s, 50, 0, true},      {u"TÜO"_s, 50, 0, true},
        {u"Änderung"_s, 50, 20, false},
    };
}

QList<HeaderControl::Section> filterSections()
{
    QList<HeaderControl::Section> sections;
    for (const HeaderControl::Section &s : kopfSections())
        sections.append({QString(), s.width, 0, false});
    sections.append({QString(), 73, 0, false});
    return sections;
}

} // namespace

TfrmMain::TfrmMain(DialogService &dialogs, TKennblattListe &catalogue, QString settingsPath,
                   QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_settingsPath(std::move(settingsPath))
    , m_catalogue(catalogue)
    , ADOConnection1(std::make_unique<CatalogueDatabase>())
    , m_model(new KennblattListModel(this))
    , m_listBuilder(catalogue, *m_model)
{
    buildDesign();
    buildMenu();
    wireList();
    wireHeaders();
    wireSelection();
    wireDocuments();
    guarded([this] { FormCreate(); });
}

TfrmMain::~TfrmMain()
{
    guarded([this] { FormDestroy(); });
}

void TfrmMain::guarded(const std::function<void()> &handler)
{
    runHandler(m_dialogs, handler);
}

void TfrmMain::buildDesign()
{
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"Gralm-Kennblätter"_s);
    setFont(verdana(11));
    setMinimumWidth(690);
    resize(854, 782);

    auto *client = new QWidget(this);
    client->setObjectName(u"clientArea"_s);
    client->resize(846, 640);
    setCentralWidget(client);
    client->installEventFilter(this);

    StaticText1 = named(new QLabel(u"Anzahl Sätze"_s, client), u"StaticText1"_s);
    StaticText1->setGeometry(8, 3, 145, 21);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText2 = named(new QLabel(client), u"StaticText2"_s);
    StaticText2->setGeometry(152, 3, 57, 21);
    StaticText2->setBackgroundRole(QPalette::Highlight);
    StaticText2->setForegroundRole(QPalette::HighlightedText);
    StaticText2->setAutoFillBackground(true);

    cmbDrucklisten = named(new QComboBox(client), u"cmbDrucklisten"_s);
    cmbDrucklisten->setGeometry(216, 3, 202, 21);
    cmbDrucklisten->addItems({u"Aktuelle Liste"_s, u"Aktuelle Kennblätter"_s, u"markierte Liste"_s,
                              u"markierte Kennblätter"_s});
    btnDrucken = named(new QPushButton(u"D&rucken"_s, client), u"btnDrucken"_s);
    btnDrucken->setGeometry(418, 2, 119, 33);
    btnAnzeigen =
        named(new QPushButton(u"Einzeln. Kennblatt\n&anzeigen"_s, client), u"btnAnzeigen"_s);
    btnAnzeigen->setGeometry(546, 2, 119, 33);
    btnInfo = named(new QPushButton(u"&Info"_s, client), u"btnInfo"_s);
    btnInfo->setGeometry(674, 9, 119, 25);
    btnInfo->hide();

    Bevel1 = named(new QFrame(client), u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 37, 835, 593);

    Panel1 = named(new QWidget(client), u"Panel1"_s);
    Panel1->setGeometry(9, 38, 832, 40);
    Panel1->installEventFilter(this);
    hcKopf = named(new HeaderControl(kopfSections(), Panel1), u"hcKopf"_s);
    hcKopf->setGeometry(0, 0, 832, 17);
    hcKopf->setSectionsClickable(true);
    hcKopf->setSectionResizeMode(QHeaderView::Interactive);
    hcFilter = named(new HeaderControl(filterSections(), Panel1), u"hcFilter"_s);
    hcFilter->setGeometry(0, 17, 832, 23);
    hcFilter->setSectionResizeMode(QHeaderView::Fixed);

    lvKennblaetter = named(new KennblattListView(client), u"lvKennblaetter"_s);
    lvKennblaetter->setGeometry(10, 79, 830, 548);
    lvKennblaetter->setModel(m_model);
    for (int column = 0; column < 7; ++column)
        lvKennblaetter->setColumnWidth(column, hcKopf->sectionSize(column));
    lvKennblaetter->setColumnWidth(7, 73);

    buildFilterControls();

    StatusBar1 = named(new QStatusBar(this), u"StatusBar1"_s);
    StatusBar1->setFixedHeight(25);
    StatusBar1->setSizeGripEnabled(true);
    m_statusLabel = new QLabel(StatusBar1);
    StatusBar1->addWidget(m_statusLabel, 1);
    setStatusBar(StatusBar1);

    Timer1 = named(new QTimer(this), u"Timer1"_s);
    Timer1->setInterval(100);
    TimerSplash = named(new QTimer(this), u"TimerSplash"_s);
    connectHandler(Timer1, &QTimer::timeout, &TfrmMain::Timer1Timer);
    connectHandler(TimerSplash, &QTimer::timeout, &TfrmMain::TimerSplashTimer);
}

void TfrmMain::buildFilterControls()
{
    // Created on the client area; the placement at start moves them onto hcFilter.
    QWidget *client = centralWidget();
    const QFont filterFont = verdana(9);
    const auto textFilter = [&](const QString &name) {
        auto *combo = named(new QComboBox(client), name);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->setFont(filterFont);
        combo->installEventFilter(this);
        return combo;
    };
    cmbFilterKennblattNr = textFilter(u"cmbFilterKennblattNr"_s);
    cmbFilterMarke = textFilter(u"cmbFilterMarke"_s);
    cmbFilterPulver = textFilter(u"cmbFilterPulver"_s);

    const auto lookupFilter = [&](const QString &name, int visibleItems) {
        auto *combo = named(new OwnerDrawComboBox(12, client), name);
        combo->setFont(filterFont);
        combo->setFocusPolicy(Qt::ClickFocus); // Tab passes them by
        combo->setMaxVisibleItems(visibleItems);
        combo->setDrawFunction([this](QComboBox &control, QPainter &painter,
                                      const OwnerDrawComboBox::DrawItem &item) {
            drawLookupItem(control, painter, item.rect, item.index, item.selected, item.palette);
        });
        combo->installEventFilter(this);
        return combo;
    };
    const auto lookupEdit = [&](const QString &name) {
        auto *edit = named(new QLineEdit(client), name);
        edit->installEventFilter(this);
        return edit;
    };
    cmbFilterHersteller = lookupFilter(u"cmbFilterHersteller"_s, 8);
    edtFilterHersteller = lookupEdit(u"edtFilterHersteller"_s);
    cmbFilterZusatz = lookupFilter(u"cmbFilterZusatz"_s, 8);
    edtFilterZusatz = lookupEdit(u"edtFilterZusatz"_s);
    cmbFilterTUEO = lookupFilter(u"cmbFilterTUEO"_s, 18);
    edtFilterTUEO = lookupEdit(u"edtFilterTUEO"_s);

    cmbFilterGeaendert = named(new DropDownComboBox(client), u"cmbFilterGeaendert"_s);
    cmbFilterGeaendert->setFont(filterFont);
    cmbFilterGeaendert->addItems({u"Alle"_s, u"Geänderte"_s, u"Nicht geänderte"_s});
    cmbFilterGeaendert->installEventFilter(this);

    btnLoeschen = named(new QPushButton(u"Filter &löschen"_s, client), u"btnLoeschen"_s);
    btnLoeschen->setFont(filterFont);
    btnLoeschen->resize(73, btnLoeschen->height());
}

void TfrmMain::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(u"mnuMainMenu"_s);

    mnuDatei = named(bar->addMenu(u"&Datei"_s), u"mnuDatei"_s);
    mnuDruckereinrichtung =
        named(mnuDatei->addAction(u"Drucker&einrichtung"_s), u"mnuDruckereinrichtung"_s);
    mnuDruckereinrichtung->setVisible(false);
    mnuDatei->addSeparator()->setVisible(false);
    mnuBeenden = named(mnuDatei->addAction(u"&Beenden"_s), u"mnuBeenden"_s);
    connectHandler(mnuBeenden, &QAction::triggered, &TfrmMain::mnuBeendenClick);

    mnuKennblatt = named(bar->addMenu(u"&Kennblatt Pilvo"_s), u"mnuKennblatt"_s);
    for (int i = 0; i < ReferenceDocumentCount; ++i) {
        const ReferenceDocument &document = referenceDocuments()[std::size_t(i)];
        m_referenceDocumentItems[std::size_t(i)] =
            named(mnuKennblatt->addAction(document.caption), document.menuItem);
    }

    mnuExtras = named(bar->addMenu(u"E&xtras"_s), u"mnuExtras"_s);
    mnuExtras->menuAction()->setVisible(false);
    mnuAlleFilterloeschen =
        named(mnuExtras->addAction(u"Alle Filter &löschen"_s), u"mnuAlleFilterloeschen"_s);

    mnuHelp = named(bar->addMenu(u"&?"_s), u"mnuHelp"_s);
    mnuHilfe = named(mnuHelp->addAction(u"&Hilfe"_s), u"mnuHilfe"_s);
    mnuHelp->addSeparator();
    mnuInfo = named(mnuHelp->addAction(u"&Info"_s), u"mnuInfo"_s);
}

void TfrmMain::layoutClientArea()
{
    const QSize client = centralWidget()->size();
    Bevel1->setGeometry(Bevel1->x(), Bevel1->y(), client.width() - Bevel1->x() - Bevel1RightMargin,
                        client.height() - Bevel1->y() - Bevel1BottomMargin);
    Panel1->resize(client.width() - Panel1->x() - Panel1RightMargin, Panel1->height());
    lvKennblaetter->resize(lvKennblaetter->width(),
                           client.height() - lvKennblaetter->y() - ListBottomMargin);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    bool consumed = false;
    guarded([&] {
        switch (event->type()) {
        case QEvent::Resize:
            if (watched == centralWidget())
                layoutClientArea();
            else if (watched == Panel1) // hcKopf is anchored to the panel's right edge
                hcKopf->resize(Panel1->width() - hcKopf->x(), hcKopf->height());
            break;
        case QEvent::Paint:
            if (watched == lvKennblaetter->viewport())
                lvKennblaetterCustomDraw();
            break;
        case QEvent::MouseButtonDblClick:
            if (watched == lvKennblaetter->viewport())
                lvKennblaetterDblClick();
            break;
        default:
            consumed = filterControlEvent(watched, event);
            break;
        }
    });
    return consumed;
}

QString TfrmMain::statusText() const
{
    return m_statusLabel->text();
}

void TfrmMain::setStatusText(const QString &text)
{
    m_statusLabel->setText(text);
}

void TfrmMain::requestApplicationEnd()
{
    m_applicationEndRequested = true;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}
