#include "tools/demo/pdfcanvas.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>

using namespace Qt::StringLiterals;

namespace {

// Fine enough that glyph positions need no rounding, coarse enough to keep numbers short.
constexpr int Resolution = 720;

} // namespace

PdfCanvas::PdfCanvas(const QString &path, const QString &title)
    : m_path(path)
    , m_writer(path)
    , m_unitsPerMm(Resolution / 25.4)
{
    m_writer.setResolution(Resolution);
    m_writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    m_writer.setTitle(title);
    m_writer.setCreator(u"Norvenz SZW Kennblätter (Demo)"_s);
    m_painter.begin(&m_writer);
    m_painter.setRenderHint(QPainter::Antialiasing);
}

bool PdfCanvas::opened(QString *error) const
{
    if (!isOpen() && error)
        *error = u"cannot create %1"_s.arg(m_path);
    return isOpen();
}

void PdfCanvas::newPage()
{
    m_writer.newPage();
    ++m_page;
}

void PdfCanvas::text(double x, double y, const QString &text, const QFont &font,
                     const QColor &color)
{
    m_painter.setFont(font);
    m_painter.setPen(color);
    m_painter.drawText(QPointF(u(x), u(y)), text);
}

void PdfCanvas::textRight(double x, double y, const QString &text, const QFont &font,
                          const QColor &color)
{
    this->text(x - width(text, font), y, text, font, color);
}

void PdfCanvas::textCentred(double x, double y, const QString &text, const QFont &font,
                            const QColor &color)
{
    this->text(x - width(text, font) / 2, y, text, font, color);
}

double PdfCanvas::paragraph(double x, double y, double width, const QString &text,
                            const QFont &font, const QColor &color, Qt::Alignment align)
{
    m_painter.setFont(font);
    m_painter.setPen(color);
    // Most table cells are one short line; drawing those directly skips a text layout.
    const QFontMetricsF metrics(font, &m_writer);
    const double advance = metrics.horizontalAdvance(text);
    if (!text.contains(u'\n') && advance <= u(width)) {
        double left = u(x);
        if (align & Qt::AlignHCenter)
            left += (u(width) - advance) / 2;
        else if (align & Qt::AlignRight)
            left += u(width) - advance;
        m_painter.drawText(QPointF(left, u(y) + metrics.ascent()), text);
        return metrics.height() / m_unitsPerMm;
    }
    const QRectF box(u(x), u(y), u(width), u(PageHeight));
    const int flags = int(align) | Qt::AlignTop | Qt::TextWordWrap;
    QRectF used;
    m_painter.drawText(box, flags, text, &used);
    return used.height() / m_unitsPerMm;
}

double PdfCanvas::paragraphHeight(double width, const QString &text, const QFont &font) const
{
    const QFontMetricsF metrics(font, &m_writer);
    if (!text.contains(u'\n') && metrics.horizontalAdvance(text) <= u(width))
        return metrics.height() / m_unitsPerMm;
    const QRectF used = metrics.boundingRect(QRectF(0, 0, u(width), u(PageHeight)),
                                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return used.height() / m_unitsPerMm;
}

double PdfCanvas::width(const QString &text, const QFont &font) const
{
    return QFontMetricsF(font, &m_writer).horizontalAdvance(text) / m_unitsPerMm;
}

double PdfCanvas::lineHeight(const QFont &font) const
{
    return QFontMetricsF(font, &m_writer).height() / m_unitsPerMm;
}

double PdfCanvas::ascent(const QFont &font) const
{
    return QFontMetricsF(font, &m_writer).ascent() / m_unitsPerMm;
}

QString PdfCanvas::elided(const QString &text, const QFont &font, double width) const
{
    return QFontMetricsF(font, &m_writer).elidedText(text, Qt::ElideRight, u(width));
}

QRectF PdfCanvas::u(const QRectF &rect) const
{
    return {u(rect.x()), u(rect.y()), u(rect.width()), u(rect.height())};
}

void PdfCanvas::fill(const QRectF &rect, const QColor &color)
{
    m_painter.fillRect(u(rect), color);
}

void PdfCanvas::frame(const QRectF &rect, const QColor &color, double lineWidth)
{
    m_painter.setPen(QPen(color, u(lineWidth)));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(u(rect));
}

void PdfCanvas::line(double x1, double y1, double x2, double y2, const QColor &color,
                     double lineWidth)
{
    m_painter.setPen(QPen(color, u(lineWidth)));
    m_painter.drawLine(QPointF(u(x1), u(y1)), QPointF(u(x2), u(y2)));
}

bool PdfCanvas::finish(QString *error)
{
    const bool opened = m_painter.isActive();
    const bool ended = opened && m_painter.end();
    if (!ended || QFileInfo(m_path).size() == 0) {
        if (error)
            *error = u"cannot write %1"_s.arg(m_path);
        return false;
    }
    return true;
}
