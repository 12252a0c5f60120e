#pragma once

#include <QAbstractScrollArea>
#include <QCache>
#include <QImage>

class ReportDocument;

// The pages of a generated report one below the other, drawn when they come into view and
// kept as images for the current zoom.
class ReportPageView final : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportPageView)

public:
    enum class Fit { None, Width, Page };

    ReportPageView(const ReportDocument &document, QWidget *parent);
    ~ReportPageView() override;

    // Per cent of the page's real size on the screen.
    void setZoom(int percent);
    void setFit(Fit fit);
    int zoomPercent() const;

    int currentPage() const; // 0-based: the page in the middle of the view
    void showPage(int page);

Q_SIGNALS:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF pageSizePx() const;
    qreal pixelsPerUnit() const;
    void updateScrollBars();
    QImage pageImage(int page);

    const ReportDocument &m_document;
    int m_zoom = 100;
    Fit m_fit = Fit::None;
    QCache<int, QImage> m_images;
    int m_lastCurrent = -1;
};
