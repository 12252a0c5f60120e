#pragma once

#include "printing/reportdefinition.h"

#include <QFont>
#include <QList>
#include <QRawFont>
#include <QString>

// Layout units: the engine lays out pages at 1200 units per inch, whatever the device.
inline constexpr qreal ReportUnitsPerInch = 1200;
inline constexpr qreal ReportUnitsPerMm = ReportUnitsPerInch / 25.4;

// One line of text, ready to draw from the left end of its baseline.
struct ReportTextLine
{
    QString text;
    QList<quint32> glyphs;
    QList<qreal> offsets; // x of each glyph
    qreal width = 0;
    // The font lacks a glyph: Qt draws the text with its font fallback instead of the glyphs.
    bool fallback = false;
};

// A font of a report, measured and drawn in layout units. A report has tens of thousands of
// cells, and Qt's text shaping costs microseconds per call, so lines are laid out here from
// the font's own glyph advances (no kerning, no ligatures: enough for catalogue texts) and
// drawn as glyph runs.
class ReportFont
{
public:
    explicit ReportFont(const ReportFontSpec &style);

    const QFont &font() const { return m_font; }
    const QRawFont &rawFont() const { return m_raw; }
    qreal ascent() const { return m_ascent; }
    qreal lineHeight() const { return m_lineHeight; }

    qreal width(QStringView text) const;
    // The lines of `text` within `width`: at most `maxLines`, broken after blanks, hyphens and
    // slashes, inside a word only when it is longer than a line; a last line that does not
    // hold the rest is cut and ends in an ellipsis. Always at least one (maybe empty) line.
    QList<ReportTextLine> lines(QStringView text, qreal width, int maxLines) const;
    // The number of lines `lines` would give, without building them.
    int lineCount(QStringView text, qreal width, int maxLines) const;

private:
    struct Span
    {
        qsizetype begin = 0;
        qsizetype end = 0;
        bool elided = false;
    };
    struct Shaped
    {
        QString text; // control characters replaced by blanks
        QList<quint32> glyphs;
        QList<qreal> advances;
        bool complete = false; // every character has a glyph
    };

    Shaped shape(QStringView text) const;
    QList<Span> breakLines(const Shaped &shaped, qreal width, int maxLines) const;
    qsizetype elideEnd(const Shaped &shaped, qsizetype begin, qsizetype end, qreal width) const;
    ReportTextLine fallbackLine(const QString &text, qreal width) const;

    QFont m_font;
    QRawFont m_raw;
    qreal m_ascent = 0;
    qreal m_lineHeight = 0;
    QString m_ellipsisText;
    QList<quint32> m_ellipsis;
    qreal m_ellipsisWidth = 0;
};
