#include "printing/reportfont.h"

#include <QFontMetricsF>

#include <numeric>

using namespace Qt::StringLiterals;

namespace {

bool isBlank(QChar c)
{
    return c == u' ';
}

// A line may end after these, keeping them on the line.
bool breaksAfter(QChar c)
{
    return c == u'-' || c == u'/';
}

qreal sum(const QList<qreal> &advances, qsizetype begin, qsizetype end)
{
    return std::accumulate(advances.begin() + begin, advances.begin() + end, qreal(0));
}

} // namespace

ReportFont::ReportFont(const ReportFontSpec &style)
    : m_font(style.family)
{
    m_font.setPixelSize(qMax(1, qRound(style.pointSize * ReportUnitsPerInch / 72)));
    m_font.setBold(style.bold);
    m_font.setItalic(style.italic);
    // Unhinted, so that advances scale with the size and match on every device.
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_raw = QRawFont::fromFont(m_font);
    if (m_raw.isValid()) {
        m_ascent = m_raw.ascent();
        m_lineHeight = m_raw.ascent() + m_raw.descent() + m_raw.leading();
        m_ellipsisText = u"…"_s;
        m_ellipsis = m_raw.glyphIndexesForString(m_ellipsisText);
        if (m_ellipsis.contains(0u)) {
            m_ellipsisText = u"..."_s;
            m_ellipsis = m_raw.glyphIndexesForString(m_ellipsisText);
        }
        for (const QPointF &advance : m_raw.advancesForGlyphIndexes(m_ellipsis))
            m_ellipsisWidth += advance.x();
    } else {
        const QFontMetricsF metrics(m_font);
        m_ascent = metrics.ascent();
        m_lineHeight = metrics.lineSpacing();
    }
}

ReportFont::Shaped ReportFont::shape(QStringView text) const
{
    Shaped shaped;
    shaped.text = text.toString();
    for (QChar &c : shaped.text) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    if (!m_raw.isValid())
        return shaped;
    shaped.glyphs = m_raw.glyphIndexesForString(shaped.text);
    // One glyph per character, none missing; otherwise Qt's fallback draws the text.
    shaped.complete = shaped.glyphs.size() == shaped.text.size() && !shaped.glyphs.contains(0u);
    if (shaped.complete) {
        const QList<QPointF> advances = m_raw.advancesForGlyphIndexes(shaped.glyphs);
        shaped.advances.reserve(advances.size());
        for (const QPointF &advance : advances)
            shaped.advances.append(advance.x());
    }
    return shaped;
}

qreal ReportFont::width(QStringView text) const
{
    const Shaped shaped = shape(text);
    if (!shaped.complete)
        return QFontMetricsF(m_font).horizontalAdvance(shaped.text);
    return sum(shaped.advances, 0, shaped.advances.size());
}

qsizetype ReportFont::elideEnd(const Shaped &shaped, qsizetype begin, qsizetype end,
                               qreal width) const
{
    qreal x = m_ellipsisWidth;
    qsizetype i = begin;
    while (i < end && x + shaped.advances[i] <= width)
        x += shaped.advances[i++];
    while (i > begin && isBlank(shaped.text[i - 1]))
        --i;
    return i;
}

QList<ReportFont::Span> ReportFont::breakLines(const Shaped &shaped, qreal width,
                                               int maxLines) const
{
    const QString &text = shaped.text;
    const QList<qreal> &advances = shaped.advances;
    const qsizetype n = text.size();
    QList<Span> spans;
    qsizetype pos = 0;
    while (pos < n && isBlank(text[pos]))
        ++pos;
    while (pos < n) {
        if (spans.size() == maxLines - 1) {
            qsizetype end = n;
            while (end > pos && isBlank(text[end - 1]))
                --end;
            if (sum(advances, pos, end) <= width)
                spans.append({pos, end, false});
            else
                spans.append({pos, elideEnd(shaped, pos, end, width), true});
            return spans;
        }
        qreal x = 0;
        qsizetype lastBreak = -1;
        qsizetype i = pos;
        while (i < n && (isBlank(text[i]) || x + advances[i] <= width)) {
            x += advances[i];
            if (isBlank(text[i]))
                lastBreak = i;
            else if (breaksAfter(text[i]))
                lastBreak = i + 1;
            ++i;
        }
        qsizetype end = i;
        if (i < n && lastBreak > pos)
            end = lastBreak;
        else if (i < n)
            end = qMax(i, pos + 1); // a word longer than the line
        qsizetype lineEnd = end;
        while (lineEnd > pos && isBlank(text[lineEnd - 1]))
            --lineEnd;
        spans.append({pos, lineEnd, false});
        pos = end;
        while (pos < n && isBlank(text[pos]))
            ++pos;
    }
    if (spans.isEmpty())
        spans.append({0, 0, false});
    return spans;
}

ReportTextLine ReportFont::fallbackLine(const QString &text, qreal width) const
{
    const QFontMetricsF metrics(m_font);
    ReportTextLine line;
    line.text = metrics.elidedText(text.trimmed(), Qt::ElideRight, width);
    line.width = metrics.horizontalAdvance(line.text);
    line.fallback = true;
    return line;
}

QList<ReportTextLine> ReportFont::lines(QStringView text, qreal width, int maxLines) const
{
    const Shaped shaped = shape(text);
    if (!shaped.complete)
        return {fallbackLine(shaped.text, width)};
    QList<ReportTextLine> lines;
    for (const Span &span : breakLines(shaped, width, qMax(1, maxLines))) {
        ReportTextLine line;
        line.text = shaped.text.sliced(span.begin, span.end - span.begin);
        qreal x = 0;
        for (qsizetype i = span.begin; i < span.end; ++i) {
            line.glyphs.append(shaped.glyphs[i]);
            line.offsets.append(x);
            x += shaped.advances[i];
        }
        if (span.elided) {
            line.text += m_ellipsisText;
            QList<QPointF> advances = m_raw.advancesForGlyphIndexes(m_ellipsis);
            for (qsizetype i = 0; i < m_ellipsis.size(); ++i) {
                line.glyphs.append(m_ellipsis[i]);
                line.offsets.append(x);
                x += advances[i].x();
            }
        }
        line.width = x;
        lines.append(std::move(line));
    }
    return lines;
}

int ReportFont::lineCount(QStringView text, qreal width, int maxLines) const
{
    if (maxLines <= 1)
        return 1;
    const Shaped shaped = shape(text);
    if (!shaped.complete)
        return 1;
    if (sum(shaped.advances, 0, shaped.advances.size()) <= width)
        return 1;
    return int(breakLines(shaped, width, maxLines).size());
}
