#include "printing/reportpreviewdialog.h"

#include "printing/reportdocument.h"
#include "printing/reportpageview.h"
#include "printing/reportsystem.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Zoom choices: per cent, then the two fits.
constexpr int zoomSteps[] = {50, 75, 100, 125, 150, 200, 300};
constexpr int fitWidthItem = int(std::size(zoomSteps));
constexpr int fitPageItem = fitWidthItem + 1;

} // namespace

ReportPreviewDialog::ReportPreviewDialog(const ReportDocument &document,
                                         const ReportSystemSettings &settings, QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName(u"ReportPreview"_s);
    setWindowTitle(settings.previewTitle);
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view = new ReportPageView(document, this);
    createToolBar(settings, document.pageCount());
    layout->addWidget(m_view);
    connect(m_view, &ReportPageView::currentPageChanged, this,
            &ReportPreviewDialog::showCurrentPage);

    // The page at its real width, as tall as the screen allows.
    const QRect screen =
        (parent ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const qreal pageWidth = document.layout().paperSize().width() * logicalDpiX() /
                            ReportUnitsPerInch * settings.previewZoom / 100.0;
    // Wide enough for the tool bar too, where the screen allows.
    const int width = std::max(int(pageWidth) + 80, layout->sizeHint().width());
    resize(qMin(screen.width() * 9 / 10, width), screen.height() * 9 / 10);
    m_view->setZoom(settings.previewZoom);
    m_zoom->setCurrentText(QString::number(settings.previewZoom) + u" %"_s);
}

ReportPreviewDialog::~ReportPreviewDialog() = default;

void ReportPreviewDialog::createToolBar(const ReportSystemSettings &settings, int pageCount)
{
    // The close button beside the tool bar, not in it: a narrow window moves the bar's last
    // buttons into its overflow menu, and closing must stay in sight.
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    row->addWidget(bar, 1);
    auto *close = new QToolButton(this);
    close->setAutoRaise(true);
    row->addWidget(close);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    // Icons of the desktop's theme where it has them, else the style's.
    const auto add = [&](const QString &name, const QString &text, const QString &themeIcon,
                         QStyle::StandardPixmap icon, const QKeySequence &keys, auto signal) {
        QAction *action =
            bar->addAction(QIcon::fromTheme(themeIcon, style()->standardIcon(icon)), text);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, signal);
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return action;
    };
    if (settings.printFromPreview) {
        add(u"actDrucken"_s, u"&Drucken…"_s, u"document-print"_s, QStyle::SP_DialogOkButton,
            QKeySequence::Print, &ReportPreviewDialog::printRequested);
        add(u"actDruckereinrichtung"_s, u"Drucker&einrichtung…"_s, u"document-properties"_s,
            QStyle::SP_FileDialogDetailedView, {}, &ReportPreviewDialog::printerSetupRequested);
    }
    add(u"actPdfSpeichern"_s, u"Als &PDF speichern…"_s, u"document-save-as"_s,
        QStyle::SP_DialogSaveButton, QKeySequence::Save, &ReportPreviewDialog::savePdfRequested);
    bar->addSeparator();

    const auto go = [this](int page) {
        m_view->showPage(page);
    };
    bar->addAction(style()->standardIcon(QStyle::SP_MediaSkipBackward), u"Erste Seite"_s, this,
                   [go] { go(0); });
    bar->addAction(style()->standardIcon(QStyle::SP_MediaSeekBackward), u"Vorige Seite"_s, this,
                   [this, go] { go(m_page->value() - 2); });
    m_page = new QSpinBox(bar);
    m_page->setObjectName(u"spnSeite"_s);
    m_page->setRange(1, qMax(1, pageCount));
    m_page->setKeyboardTracking(false);
    bar->addWidget(m_page);
    bar->addWidget(new QLabel(u" von %1 "_s.arg(pageCount), bar));
    connect(m_page, &QSpinBox::valueChanged, this, [go](int page) { go(page - 1); });
    bar->addAction(style()->standardIcon(QStyle::SP_MediaSeekForward), u"Nächste Seite"_s, this,
                   [this, go] { go(m_page->value()); });
    bar->addAction(style()->standardIcon(QStyle::SP_MediaSkipForward), u"Letzte Seite"_s, this,
                   [go, pageCount] { go(pageCount - 1); });
    bar->addSeparator();

    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(u"cmbZoom"_s);
    for (const int percent : zoomSteps)
        m_zoom->addItem(QString::number(percent) + u" %"_s);
    m_zoom->addItem(u"Seitenbreite"_s);
    m_zoom->addItem(u"Ganze Seite"_s);
    bar->addWidget(m_zoom);
    connect(m_zoom, &QComboBox::activated, this, &ReportPreviewDialog::zoomChosen);
    auto *schliessen = new QAction(
        QIcon::fromTheme(u"window-close"_s, style()->standardIcon(QStyle::SP_DialogCloseButton)),
        u"&Schließen"_s, this);
    schliessen->setObjectName(u"actSchliessen"_s);
    connect(schliessen, &QAction::triggered, this, &QDialog::accept);
    close->setDefaultAction(schliessen);
    close->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void ReportPreviewDialog::zoomChosen(int index)
{
    if (index == fitWidthItem)
        m_view->setFit(ReportPageView::Fit::Width);
    else if (index == fitPageItem)
        m_view->setFit(ReportPageView::Fit::Page);
    else if (index >= 0 && index < fitWidthItem)
        m_view->setZoom(zoomSteps[index]);
}

void ReportPreviewDialog::showCurrentPage(int page)
{
    const QSignalBlocker blocker(m_page);
    m_page->setValue(page + 1);
}
