#include "printing/reportpageview.h"

#include "printing/reportdocument.h"
#include "printing/reportfont.h"
#include "printing/reportpagepainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>

namespace {

constexpr int gap = 12; // pixels around each page
constexpr int cacheKiB = 96 * 1024;

} // namespace

ReportPageView::ReportPageView(const ReportDocument &document, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_document(document)
    , m_images(cacheKiB)
{
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    updateScrollBars();
}

ReportPageView::~ReportPageView() = default;

qreal ReportPageView::pixelsPerUnit() const
{
    const QSizeF paper = m_document.layout().paperSize();
    const QSize area = viewport()->size() - QSize(2 * gap, 2 * gap);
    switch (m_fit) {
    case Fit::Width:
        return qMax(1.0, qreal(area.width())) / paper.width();
    case Fit::Page:
        return qMin(qMax(1.0, qreal(area.width())) / paper.width(),
                    qMax(1.0, qreal(area.height())) / paper.height());
    case Fit::None:
        break;
    }
    return m_zoom / 100.0 * logicalDpiX() / ReportUnitsPerInch;
}

QSizeF ReportPageView::pageSizePx() const
{
    return m_document.layout().paperSize() * pixelsPerUnit();
}

int ReportPageView::zoomPercent() const
{
    return qRound(pixelsPerUnit() * ReportUnitsPerInch / logicalDpiX() * 100);
}

void ReportPageView::setZoom(int percent)
{
    const int page = currentPage();
    m_fit = Fit::None;
    m_zoom = qBound(10, percent, 800);
    m_images.clear();
    updateScrollBars();
    showPage(page);
}

void ReportPageView::setFit(Fit fit)
{
    const int page = currentPage();
    m_fit = fit;
    m_images.clear();
    updateScrollBars();
    showPage(page);
}

void ReportPageView::updateScrollBars()
{
    const QSizeF page = pageSizePx();
    const int pageStep = qCeil(page.height()) + gap;
    const qint64 height = qint64(m_document.pageCount()) * pageStep + gap;
    const int width = qCeil(page.width()) + 2 * gap;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, int(std::clamp<qint64>(height - viewport()->height(), 0,
                                                            std::numeric_limits<int>::max())));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, qMax(0, width - viewport()->width()));
    viewport()->update();
}

int ReportPageView::currentPage() const
{
    const int pageStep = qCeil(pageSizePx().height()) + gap;
    const int middle = verticalScrollBar()->value() + viewport()->height() / 2;
    return qBound(0, middle / qMax(1, pageStep), qMax(0, m_document.pageCount() - 1));
}

void ReportPageView::showPage(int page)
{
    const int pageStep = qCeil(pageSizePx().height()) + gap;
    verticalScrollBar()->setValue(qBound(0, page, m_document.pageCount() - 1) * pageStep);
    viewport()->update();
}

QImage ReportPageView::pageImage(int page)
{
    if (const QImage *cached = m_images.object(page))
        return *cached;
    const qreal ratio = devicePixelRatioF();
    const QSizeF size = pageSizePx() * ratio;
    QImage image(qCeil(size.width()), qCeil(size.height()), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(pixelsPerUnit() * ratio, pixelsPerUnit() * ratio);
    paintReportPage(painter, m_document, page);
    painter.end();
    m_images.insert(page, new QImage(image), int(image.sizeInBytes() / 1024));
    return image;
}

void ReportPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QSizeF page = pageSizePx();
    const int pageStep = qCeil(page.height()) + gap;
    const int top = verticalScrollBar()->value();
    const int contentWidth = qCeil(page.width()) + 2 * gap;
    const int x = contentWidth < viewport()->width()
                      ? (viewport()->width() - qCeil(page.width())) / 2
                      : gap - horizontalScrollBar()->value();
    const QRect exposed = event->rect();
    const int first = qMax(0, (top + exposed.top()) / pageStep);
    for (int index = first; index < m_document.pageCount(); ++index) {
        const int y = gap + index * pageStep - top;
        if (y > exposed.bottom())
            break;
        const QRect target(QPoint(x, y), page.toSize());
        painter.drawImage(target.topLeft(), pageImage(index));
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(target.adjusted(-1, -1, 0, 0));
    }
}

void ReportPageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_fit != Fit::None)
        m_images.clear();
    updateScrollBars();
}

void ReportPageView::scrollContentsBy(int, int)
{
    viewport()->update();
    const int page = currentPage();
    if (page != m_lastCurrent) {
        m_lastCurrent = page;
        Q_EMIT currentPageChanged(page);
    }
}
