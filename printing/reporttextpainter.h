#pragma once

#include <QColor>
#include <QList>
#include <QPointF>

#include <vector>

class QPainter;
class ReportFont;
struct ReportTextLine;

// Draws the lines of a page with one glyph run per font and colour: a PDF page of a few
// hundred cells then costs a few painter calls instead of hundreds. Draws what it holds when
// flushed and when it ends.
class ReportTextPainter
{
public:
    explicit ReportTextPainter(QPainter &painter);
    ~ReportTextPainter();
    ReportTextPainter(const ReportTextPainter &) = delete;
    ReportTextPainter &operator=(const ReportTextPainter &) = delete;

    // `origin` is the left end of the line's baseline.
    void draw(const ReportFont &font, const ReportTextLine &line, QPointF origin,
              const QColor &color);
    void flush();

private:
    struct Batch
    {
        const ReportFont *font = nullptr;
        QColor color;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };

    QPainter &m_painter;
    std::vector<Batch> m_batches;
};
