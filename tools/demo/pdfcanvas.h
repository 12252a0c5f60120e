#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QString>

// One A4 portrait PDF, drawn in millimetres from the top left corner of the page. Fonts keep
// their point sizes; all measures in and out are millimetres.
class PdfCanvas
{
public:
    static constexpr double PageWidth = 210.0;
    static constexpr double PageHeight = 297.0;

    // Opens `path` for writing (replacing it); isOpen() tells whether that worked.
    PdfCanvas(const QString &path, const QString &title);
    PdfCanvas(const PdfCanvas &) = delete;
    PdfCanvas &operator=(const PdfCanvas &) = delete;

    bool isOpen() const { return m_painter.isActive(); }
    // Whether the file could be opened; tells why not.
    [[nodiscard]] bool opened(QString *error) const;
    void newPage();
    int page() const { return m_page; }

    // Text with its baseline starting at (x, y), ending at x (right) or centred on x.
    void text(double x, double y, const QString &text, const QFont &font,
              const QColor &color = Qt::black);
    void textRight(double x, double y, const QString &text, const QFont &font,
                   const QColor &color = Qt::black);
    void textCentred(double x, double y, const QString &text, const QFont &font,
                     const QColor &color = Qt::black);

    // Word-wrapped text in a column `width` wide whose first line's top is at y; returns the
    // height it took.
    double paragraph(double x, double y, double width, const QString &text, const QFont &font,
                     const QColor &color = Qt::black, Qt::Alignment align = Qt::AlignLeft);
    double paragraphHeight(double width, const QString &text, const QFont &font) const;

    double width(const QString &text, const QFont &font) const;
    double lineHeight(const QFont &font) const; // baseline to baseline
    double ascent(const QFont &font) const;
    // `text` shortened with "…" to fit `width`.
    QString elided(const QString &text, const QFont &font, double width) const;

    void fill(const QRectF &rect, const QColor &color);
    void frame(const QRectF &rect, const QColor &color, double lineWidth = 0.2);
    void line(double x1, double y1, double x2, double y2, const QColor &color,
              double lineWidth = 0.2);

    // For drawing that measures in device units itself (rich text).
    QPainter &painter() { return m_painter; }
    QPaintDevice *device() { return &m_writer; }
    double unitsPerMm() const { return m_unitsPerMm; }

    // Ends the document; false (with a reason) when it could not be written completely.
    [[nodiscard]] bool finish(QString *error);

private:
    double u(double mm) const { return mm * m_unitsPerMm; }
    QRectF u(const QRectF &rect) const;

    QString m_path;
    QPdfWriter m_writer;
    QPainter m_painter;
    double m_unitsPerMm;
    int m_page = 1;
};
