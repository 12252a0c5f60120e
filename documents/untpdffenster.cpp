#include "documents/untpdffenster.h"
#include "ui_untpdffenster.h"

#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "platform/anchors.h"
#include "platform/designfont.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

namespace {

// The zoom buttons stop at these zoom values (percent).
constexpr int ZoomInBelow = 340;
constexpr int ZoomOutAbove = 30;
constexpr char16_t Escape = 27;

} // namespace

// A dialog-type window, because only those tell the window manager whom they belong to
// (WM_TRANSIENT_FOR on X11): it then stays above its owner, the main window, and goes with it,
// but not above other programs.
TfrmPDFFenster::TfrmPDFFenster(QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::TfrmPDFFenster>())
{
    setFont(designFont(u"Tahoma"_s, 11));
    ui->setupUi(this);
    ui->PDFView1->Loaded();
    Anchors::anchor(*ui->PDFView1, Qt::RightEdge | Qt::BottomEdge);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    connect(ui->sbtnSchliessen, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnSchliessenClick);
    connect(ui->SpeedButton1, &QToolButton::clicked, this, &TfrmPDFFenster::SpeedButton1Click);
    connect(ui->sbtnFirst, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnFirstClick);
    connect(ui->sbtnPrev, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnPrevClick);
    connect(ui->sbtnNext, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnNextClick);
    connect(ui->sbtnLast, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnLastClick);
    connect(ui->sbtnZoomIn, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnZoomInClick);
    connect(ui->sbtnZoomOut, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnZoomOutClick);
    connect(ui->sbtnWholePage, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnWholePageClick);
    connect(ui->sbtnWholeWidth, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnWholeWidthClick);
    connect(ui->sbtnZweiSeiten, &QToolButton::clicked, this, &TfrmPDFFenster::sbtnZweiSeitenClick);
    connect(ui->PDFView1, &TPDFView::OnChangeViewPage, this, &TfrmPDFFenster::showPageNumber);
    // Where the view has the focus the engine prints on Ctrl+P itself, the same way.
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this,
            &TfrmPDFFenster::SpeedButton1Click);
    // The window sees keys before the focused control does.
    qApp->installEventFilter(this);
    FormCreate();
}

TfrmPDFFenster::~TfrmPDFFenster() = default;

TPDFView *TfrmPDFFenster::pdfView() const
{
    return ui->PDFView1;
}

void TfrmPDFFenster::FormCreate()
{
    // Page width once; the engine keeps it for the documents loaded later.
    ui->PDFView1->SendCommand(CmdPageWidth);
}

void TfrmPDFFenster::LoadDocument(const QString &path)
{
    // A file the engine refuses leaves no document, and no page to name.
    if (!ui->PDFView1->LoadFromFile(path))
        ui->lblSeite->clear();
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

QString TfrmPDFFenster::pageText() const
{
    return ui->lblSeite->text();
}

void TfrmPDFFenster::showPageNumber(int page)
{
    const qint32 count = ui->PDFView1->SendCommandValue(CmdGetPageCount, 0);
    ui->lblSeite->setText(count > 0 ? u"Seite %1 von %2"_s.arg(page).arg(count) : QString());
}

bool TfrmPDFFenster::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this) {
        const QString text = static_cast<QKeyEvent *>(event)->text();
        if (text.size() == 1) {
            QChar key = text.front();
            FormKeyPress(key);
            if (key.isNull())
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmPDFFenster::FormKeyPress(QChar &key)
{
    if (key.unicode() == Escape) {
        key = QChar();
        close();
    }
}

void TfrmPDFFenster::sbtnSchliessenClick()
{
    close();
}

void TfrmPDFFenster::SpeedButton1Click()
{
    ui->PDFView1->SendCommand(CmdPrint);
}

void TfrmPDFFenster::sbtnFirstClick()
{
    ui->PDFView1->SendCommand(CmdFirstPage);
}

void TfrmPDFFenster::sbtnPrevClick()
{
    ui->PDFView1->SendCommand(CmdPreviousPage);
}

void TfrmPDFFenster::sbtnNextClick()
{
    ui->PDFView1->SendCommand(CmdNextPage);
}

void TfrmPDFFenster::sbtnLastClick()
{
    ui->PDFView1->SendCommand(CmdLastPage);
}

void TfrmPDFFenster::sbtnZoomInClick()
{
    if (ui->PDFView1->SendCommandValue(CmdGetZoom, 0) < ZoomInBelow)
        ui->PDFView1->SendCommand(CmdZoomIn);
}

void TfrmPDFFenster::sbtnZoomOutClick()
{
    if (ui->PDFView1->SendCommandValue(CmdGetZoom, 0) > ZoomOutAbove)
        ui->PDFView1->SendCommand(CmdZoomOut);
}

void TfrmPDFFenster::sbtnWholePageClick()
{
    ui->PDFView1->SendCommand(CmdWholePage);
}

void TfrmPDFFenster::sbtnWholeWidthClick()
{
    ui->PDFView1->SendCommand(CmdPageWidth);
}

void TfrmPDFFenster::sbtnZweiSeitenClick()
{
    ui->PDFView1->SendCommand(CmdTwoPages);
}
