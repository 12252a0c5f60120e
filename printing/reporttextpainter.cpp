#include "printing/reporttextpainter.h"

#include "printing/reportfont.h"

#include <QGlyphRun>
#include <QPainter>

ReportTextPainter::ReportTextPainter(QPainter &painter)
    : m_painter(painter)
{
}

ReportTextPainter::~ReportTextPainter()
{
    flush();
}

void ReportTextPainter::draw(const ReportFont &font, const ReportTextLine &line, QPointF origin,
                             const QColor &color)
{
    if (line.fallback) {
        m_painter.setFont(font.font());
        m_painter.setPen(color);
        m_painter.drawText(origin, line.text);
        return;
    }
    if (line.glyphs.isEmpty())
        return;
    auto batch = std::find_if(m_batches.begin(), m_batches.end(),
                              [&](const Batch &b) { return b.font == &font && b.color == color; });
    if (batch == m_batches.end())
        batch = m_batches.insert(m_batches.end(), Batch{&font, color, {}, {}});
    batch->glyphs.append(line.glyphs);
    for (const qreal offset : line.offsets)
        batch->positions.append(QPointF(origin.x() + offset, origin.y()));
}

void ReportTextPainter::flush()
{
    for (Batch &batch : m_batches) {
        QGlyphRun run;
        run.setRawFont(batch.font->rawFont());
        run.setGlyphIndexes(batch.glyphs);
        run.setPositions(batch.positions);
        m_painter.setPen(batch.color);
        m_painter.drawGlyphRun(QPointF(), run);
    }
    m_batches.clear();
}
