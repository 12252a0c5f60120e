#pragma once

#include "documents/engine/core/enginedocument.h"
#include "documents/engine/core/pagelayout.h"
#include "documents/engine/core/renderqueue.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <memory>
#include <optional>

// The pages of a document, scrolled continuously: rendered tiles come from a worker, and
// until a tile is there the page's previous rendering is shown scaled. Keys are the engine
// window's business; the view offers the actions it needs.
class PageView final : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageView)

public:
    // A marked place scrolled to lies this far below the top of the view, not glued to it.
    static constexpr int PlaceMargin = 48;

    explicit PageView(QWidget *parent = nullptr);

    // A document to show from its first page, keeping the zoom and fit.
    void setDocument(std::shared_ptr<const EngineDocument> document);
    // Shows no document but a text, such as why a file could not be opened.
    void showMessage(const QString &text);
    const EngineDocument *document() const { return m_document.get(); }

    int currentPage() const { return m_currentPage; }
    // Scrolls the page (and the point on it, in points) to the top of the view, or the point
    // `marginAbove` pixels below the top, but never above the page's own top.
    void goToPage(int index, std::optional<QPointF> point = std::nullopt, int marginAbove = 0);
    void setFit(PageLayout::Fit fit, bool twoUp);
    // One zoom step in (direction > 0) or out; false at the limit or without document.
    bool zoomStep(int direction);
    double zoom() const { return PageLayout::zoomOf(m_layout.scale); }

    // Marked places per page index, normalised to the page (0 to 1 from the top left);
    // a new document clears them.
    void setHighlights(QHash<int, QList<QRectF>> places);
    // The top of the page's first marked place, in points; none without one.
    std::optional<QPointF> firstHighlight(int page) const;

    void setScrollBarsShown(bool vertical, bool horizontal);
    void setOptions(int options); // PDFViewCommands::Opt... bits
    // Scrolls by lines of a fixed height.
    void scrollLines(int dx, int dy);
    void scrollPage(int direction);
    bool canScrollHorizontally() const;

Q_SIGNALS:
    void currentPageChanged(int index);
    void zoomChanged(double zoom);
    void linkClicked(const PageLink &link);
    // A page was painted with its final rendering, not a scaled stand-in.
    void pagePainted(int index);
    void renderFinished(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Hit
    {
        int page = -1;
        const PageLink *link = nullptr;
    };
    void relayout();
    double wantedScale() const;
    RenderKey keyFor(int page) const;
    QPoint offset() const;
    bool drawTiles(QPainter &painter, const QRect &pageRect, const RenderKey &key,
                   const QRect &visible, QSet<RenderKey> *wanted);
    void drawPage(QPainter &painter, int page, const QRect &visible, QSet<RenderKey> &wanted);
    void prefetch(int page, QSet<RenderKey> &wanted);
    void drawDecorations(QPainter &painter, int page, const QRect &pageRect);
    void drawHint(QPainter &painter);
    void updateCurrentPage();
    void setCurrentPage(int index);
    void showHint(const QString &text, int disablingOption);
    Hit hitAt(QPoint viewportPos) const;
    void tileRendered(const RenderKey &key);

    std::shared_ptr<const EngineDocument> m_document;
    RenderQueue *m_queue;
    PageLayout::Layout m_layout;
    PageLayout::Fit m_fit = PageLayout::Fit::PageWidth;
    bool m_twoUp = false;
    double m_fixedZoom = 100.0;
    int m_currentPage = -1;
    bool m_navigating = false;
    QString m_message;
    int m_options = 0;
    QSet<int> m_selected;
    QHash<int, RenderKey> m_lastComplete; // per page: the key last painted in full
    QHash<int, QList<QRectF>> m_highlights;
    QString m_hint;
    QTimer m_hintTimer;
    int m_wheelAngle = 0;
    std::optional<PageLink> m_pressedLink;
};
