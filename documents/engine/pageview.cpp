#include "documents/engine/pageview.h"

#include "documents/pdfviewcommands.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

namespace {

constexpr int CacheKiB = 128 * 1024;
constexpr int LineStep = 40;
constexpr int HintMilliseconds = 1200;
const QColor Background(0x6e, 0x6e, 0x6e);
const QColor LinkFrame(0x1e, 0x5a, 0xc8);
const QColor Highlight(255, 214, 0, 110);

} // namespace

PageView::PageView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_queue(new RenderQueue(CacheKiB, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(LineStep);
    horizontalScrollBar()->setSingleStep(LineStep);
    m_hintTimer.setSingleShot(true);
    m_hintTimer.setInterval(HintMilliseconds);
    connect(&m_hintTimer, &QTimer::timeout, this, [this] {
        m_hint.clear();
        viewport()->update();
    });
    connect(m_queue, &RenderQueue::rendered, this, &PageView::tileRendered);
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this] {
        if (m_document)
            showHint(u"Seite %1 von %2"_s.arg(m_currentPage + 1).arg(m_document->pageCount()),
                     OptDisablePagenrHint);
    });
}

void PageView::setDocument(std::shared_ptr<const EngineDocument> document)
{
    m_document = std::move(document);
    m_queue->setDocument(m_document);
    m_lastComplete.clear();
    m_highlights.clear();
    m_selected.clear();
    m_pressedLink.reset();
    m_message.clear();
    m_currentPage = -1;
    relayout();
    if (m_document)
        goToPage(0);
    viewport()->update();
}

void PageView::showMessage(const QString &text)
{
    setDocument(nullptr);
    m_message = text;
}

double PageView::wantedScale() const
{
    if (m_fit == PageLayout::Fit::None)
        return PageLayout::scaleOf(m_fixedZoom);
    const QList<QSizeF> pages = m_document ? m_document->pageSizes() : QList<QSizeF>();
    return PageLayout::fittingScale(pages, m_fit, m_twoUp, viewport()->size());
}

QPoint PageView::offset() const
{
    return {-horizontalScrollBar()->value(), -verticalScrollBar()->value()};
}

void PageView::relayout()
{
    // Keep the same spot of the current page at the top of the view.
    std::optional<QPointF> anchor;
    if (m_document && m_currentPage >= 0 && m_currentPage < m_layout.pages.size()) {
        const QRect page = m_layout.pages.at(m_currentPage);
        anchor = QPointF(0.0, (verticalScrollBar()->value() + PageLayout::Gap - page.top()) /
                                  m_layout.scale);
    }
    const double oldZoom = zoom();
    const QList<QSizeF> pages = m_document ? m_document->pageSizes() : QList<QSizeF>();
    m_layout = PageLayout::layout(pages, wantedScale(), m_twoUp, viewport()->size());
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_layout.size.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_layout.size.height() - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    const QSize devicePixels = area * devicePixelRatioF();
    m_queue->setCacheLimit(
        std::max(CacheKiB, 3 * devicePixels.width() * devicePixels.height() * 4 / 1024));
    if (anchor)
        goToPage(m_currentPage, anchor);
    if (!qFuzzyCompare(oldZoom, zoom()))
        Q_EMIT zoomChanged(zoom());
    viewport()->update();
}

void PageView::goToPage(int index, std::optional<QPointF> point, int marginAbove)
{
    if (!m_document || m_layout.pages.isEmpty())
        return;
    index = std::clamp(index, 0, int(m_layout.pages.size()) - 1);
    const QRect page = m_layout.pages.at(index);
    const QPointF at = point.value_or(QPointF());
    const int pageTop = page.top() - PageLayout::Gap;
    const int target = pageTop + qRound(at.y() * m_layout.scale);
    m_navigating = true;
    verticalScrollBar()->setValue(marginAbove > 0 ? std::max(pageTop, target - marginAbove)
                                                  : target);
    if (point && at.x() > 0.0)
        horizontalScrollBar()->setValue(page.left() - PageLayout::Gap +
                                        qRound(at.x() * m_layout.scale));
    m_navigating = false;
    setCurrentPage(index);
}

void PageView::setCurrentPage(int index)
{
    if (index == m_currentPage)
        return;
    m_currentPage = index;
    viewport()->update();
    Q_EMIT currentPageChanged(index);
}

void PageView::updateCurrentPage()
{
    if (m_navigating || !m_document)
        return;
    const int page =
        PageLayout::pageAt(m_layout, verticalScrollBar()->value() + 2 * PageLayout::Gap);
    if (page >= 0)
        setCurrentPage(page);
}

void PageView::setFit(PageLayout::Fit fit, bool twoUp)
{
    m_fit = fit;
    m_twoUp = twoUp;
    relayout();
}

bool PageView::zoomStep(int direction)
{
    if (!m_document)
        return false;
    const double next = PageLayout::nextZoom(zoom(), direction);
    if (qFuzzyCompare(next, zoom()))
        return false;
    m_fixedZoom = next;
    m_fit = PageLayout::Fit::None;
    relayout();
    showHint(u"%1 %"_s.arg(qRound(zoom())), OptDisableZoomHint);
    return true;
}

void PageView::setHighlights(QHash<int, QList<QRectF>> places)
{
    m_highlights = std::move(places);
    viewport()->update();
}

std::optional<QPointF> PageView::firstHighlight(int page) const
{
    const QList<QRectF> places = m_highlights.value(page);
    if (places.isEmpty() || !m_document)
        return std::nullopt;
    const auto top =
        std::min_element(places.begin(), places.end(),
                         [](const QRectF &a, const QRectF &b) { return a.top() < b.top(); });
    return QPointF(0.0, top->top() * m_document->pageSize(page).height());
}

void PageView::setScrollBarsShown(bool vertical, bool horizontal)
{
    // The vertical bar always shown when wanted, so that fitting does not make it come and go.
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void PageView::setOptions(int options)
{
    m_options = options;
    if (!(options & OptShowPageMultiSelection))
        m_selected.clear();
    viewport()->update();
}

void PageView::scrollLines(int dx, int dy)
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx * LineStep);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy * LineStep);
}

void PageView::scrollPage(int direction)
{
    // One line of the old view stays in sight.
    const int step = std::max(LineStep, viewport()->height() - LineStep);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + direction * step);
}

bool PageView::canScrollHorizontally() const
{
    return horizontalScrollBar()->maximum() > 0;
}

RenderKey PageView::keyFor(int page) const
{
    return {page, qRound(m_layout.scale * 10000.0), 0, qRound(devicePixelRatioF() * 100.0), 0};
}

bool PageView::drawTiles(QPainter &painter, const QRect &pageRect, const RenderKey &key,
                         const QRect &visible, QSet<RenderKey> *wanted)
{
    const TileGrid grid(m_document->pageSize(key.page), key);
    bool complete = true;
    for (int tile = 0; tile < grid.count(); ++tile) {
        const QRectF target = grid.target(tile, pageRect);
        if (!target.intersects(visible))
            continue;
        RenderKey tileKey = key;
        tileKey.tile = tile;
        const QImage *image = m_queue->image(tileKey);
        if (wanted != nullptr)
            wanted->insert(tileKey);
        if (image == nullptr) {
            if (wanted != nullptr)
                m_queue->request(tileKey, RenderQueue::Priority::Visible);
            complete = false;
        } else if (!image->isNull()) {
            painter.drawImage(target, *image);
        }
    }
    return complete;
}

void PageView::drawPage(QPainter &painter, int page, const QRect &visible, QSet<RenderKey> &wanted)
{
    const QRect pageRect = m_layout.pages.at(page).translated(offset());
    painter.fillRect(pageRect, Qt::white);
    const RenderKey key = keyFor(page);
    const auto previous = m_lastComplete.constFind(page);
    if (previous != m_lastComplete.constEnd() && !(*previous == key)) {
        // The earlier rendering, scaled, until the new tiles are there.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        drawTiles(painter, pageRect, *previous, visible, nullptr);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    if (drawTiles(painter, pageRect, key, visible, &wanted)) {
        m_lastComplete.insert(page, key);
        Q_EMIT pagePainted(page);
    }
    drawDecorations(painter, page, pageRect);
}

void PageView::prefetch(int page, QSet<RenderKey> &wanted)
{
    if (page < 0 || page >= m_layout.pages.size())
        return;
    // The part that shows first when the user pages on.
    const QRect pageRect = m_layout.pages.at(page).translated(offset());
    const QRect top(pageRect.topLeft(), QSize(pageRect.width(), viewport()->height()));
    const RenderKey key = keyFor(page);
    const TileGrid grid(m_document->pageSize(page), key);
    for (int tile = 0; tile < grid.count(); ++tile) {
        if (!grid.target(tile, pageRect).intersects(top))
            continue;
        RenderKey tileKey = key;
        tileKey.tile = tile;
        wanted.insert(tileKey);
        m_queue->request(tileKey, RenderQueue::Priority::Prefetch);
    }
}

void PageView::drawDecorations(QPainter &painter, int page, const QRect &pageRect)
{
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(pageRect.adjusted(-1, -1, 0, 0));
    const auto relative = [&pageRect](const QRectF &area) {
        return QRectF(pageRect.x() + area.x() * pageRect.width(),
                      pageRect.y() + area.y() * pageRect.height(), area.width() * pageRect.width(),
                      area.height() * pageRect.height());
    };
    for (const QRectF &place : m_highlights.value(page))
        painter.fillRect(relative(place), Highlight);
    if (!(m_options & OptDontHighlightLinks) && !(m_options & OptDontUseHyperlinks)) {
        if (const QList<PageLink> *links = m_queue->links(page)) {
            painter.setPen(QPen(LinkFrame, 1.0));
            for (const PageLink &link : *links)
                painter.drawRect(relative(link.area));
        }
    }
    const bool selected =
        (m_options & OptShowPageMultiSelection) ? m_selected.contains(page) : page == m_currentPage;
    if ((m_options & OptShowPageSelection) && selected) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3.0));
        painter.drawRect(pageRect.adjusted(-3, -3, 2, 2));
    }
}

void PageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Background);
    if (!m_document) {
        painter.setPen(Qt::white);
        painter.drawText(viewport()->rect().adjusted(20, 20, -20, -20),
                         Qt::AlignCenter | Qt::TextWordWrap, m_message);
        return;
    }
    QSet<RenderKey> wanted;
    int first = -1;
    int last = -1;
    for (int page = 0; page < m_layout.pages.size(); ++page) {
        const QRect pageRect = m_layout.pages.at(page).translated(offset());
        if (!pageRect.intersects(viewport()->rect()))
            continue;
        if (first < 0)
            first = page;
        last = page;
        drawPage(painter, page, event->rect(), wanted);
    }
    if (first >= 0) {
        prefetch(last + 1, wanted);
        prefetch(first - 1, wanted);
    }
    // Whatever is requested by a full repaint is all that is still wanted.
    if (event->rect() == viewport()->rect())
        m_queue->keepOnly(wanted);
    drawHint(painter);
}

void PageView::drawHint(QPainter &painter)
{
    if (m_hint.isEmpty())
        return;
    const QRect text = painter.fontMetrics().boundingRect(m_hint).adjusted(-8, -4, 8, 4);
    const QRect box(viewport()->width() - text.width() - 12, 12, text.width(), text.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    painter.drawRoundedRect(box, 4, 4);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, m_hint);
}

void PageView::showHint(const QString &text, int disablingOption)
{
    if (m_options & disablingOption)
        return;
    m_hint = text;
    m_hintTimer.start();
    viewport()->update();
}

void PageView::tileRendered(const RenderKey &key)
{
    Q_EMIT renderFinished(key.page);
    RenderKey page = key;
    page.tile = 0;
    if (key.page < m_layout.pages.size() && page == keyFor(key.page))
        viewport()->update(m_layout.pages.at(key.page).translated(offset()));
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
    updateCurrentPage();
}

void PageView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    m_wheelAngle += event->angleDelta().y();
    while (std::abs(m_wheelAngle) >= 120) {
        const int direction = m_wheelAngle > 0 ? 1 : -1;
        m_wheelAngle -= direction * 120;
        zoomStep(direction);
    }
    event->accept();
}

PageView::Hit PageView::hitAt(QPoint viewportPos) const
{
    Hit hit;
    const QPoint at = viewportPos - offset();
    for (int page = 0; page < m_layout.pages.size(); ++page) {
        const QRect rect = m_layout.pages.at(page);
        if (!rect.contains(at))
            continue;
        hit.page = page;
        const QList<PageLink> *links = m_queue->links(page);
        if (links == nullptr || (m_options & OptDontUseHyperlinks))
            return hit;
        const QPointF relative(double(at.x() - rect.x()) / rect.width(),
                               double(at.y() - rect.y()) / rect.height());
        for (const PageLink &link : *links) {
            if (link.area.contains(relative)) {
                hit.link = &link;
                break;
            }
        }
        return hit;
    }
    return hit;
}

void PageView::mousePressEvent(QMouseEvent *event)
{
    const Hit hit = hitAt(event->position().toPoint());
    m_pressedLink.reset();
    if (event->button() != Qt::LeftButton || hit.page < 0) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    if (hit.link != nullptr)
        m_pressedLink = *hit.link;
    if ((m_options & OptShowPageMultiSelection) && (event->modifiers() & Qt::ControlModifier)) {
        if (!m_selected.remove(hit.page))
            m_selected.insert(hit.page);
        viewport()->update();
    } else if (m_options & OptSelectClickedPage) {
        m_selected = {hit.page};
        setCurrentPage(hit.page);
    }
}

void PageView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressedLink) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    const PageLink pressed = *m_pressedLink;
    m_pressedLink.reset();
    const Hit hit = hitAt(event->position().toPoint());
    if (hit.link != nullptr && hit.link->area == pressed.area)
        Q_EMIT linkClicked(pressed);
}

void PageView::mouseMoveEvent(QMouseEvent *event)
{
    const Hit hit = hitAt(event->position().toPoint());
    viewport()->setCursor(hit.link != nullptr ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QAbstractScrollArea::mouseMoveEvent(event);
}

void PageView::keyPressEvent(QKeyEvent *event)
{
    // The engine window decides about keys; what it leaves goes to the surrounding widgets.
    event->ignore();
}
