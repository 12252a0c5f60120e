#include "documents/engine/engineprinter.h"

#include "documents/engine/core/enginedocument.h"
#include "documents/engine/core/pagelayout.h"
#include "documents/engine/cupsqueue.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace {

// Rendered in bands, so that a page at printer resolution needs little memory.
constexpr int BandHeight = 1024;

QString jobTitle(const EngineDocument &document)
{
    return QFileInfo(document.filePath()).fileName();
}

QPageLayout::Orientation orientationOf(QSizeF points)
{
    return points.width() > points.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void paintPage(QPainter &painter, const EngineDocument &document, int page, QPrinter &printer,
               int dpi)
{
    const QSizeF points = document.pageSize(page);
    const QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
    const QSize pixels = PageLayout::pixelSize(points, dpi / 72.0);
    const double scale =
        std::min(double(paper.width()) / pixels.width(), double(paper.height()) / pixels.height());
    const QPointF origin(paper.x() + (paper.width() - pixels.width() * scale) / 2.0,
                         paper.y() + (paper.height() - pixels.height() * scale) / 2.0);
    for (int top = 0; top < pixels.height(); top += BandHeight) {
        const QRect band(0, top, pixels.width(), std::min(BandHeight, pixels.height() - top));
        const QImage image = document.render(page, pixels, band, nullptr);
        if (image.isNull())
            continue;
        painter.drawImage(QRectF(origin.x(), origin.y() + top * scale, band.width() * scale,
                                 band.height() * scale),
                          image);
    }
}

} // namespace

namespace EnginePrinter {

QString print(const EngineDocument &document, const QString &printerName, const PrintJob &job)
{
    const QString queue = printerName.isEmpty() ? QPrinterInfo::defaultPrinterName() : printerName;
    if (queue.isEmpty())
        return u"Es ist kein Drucker eingerichtet."_s;
    if (job.spoolFile && CupsQueue::exists(queue))
        return spool(document, queue, job);
    if (QPrinterInfo::printerInfo(queue).isNull())
        return u"Der Drucker „%1“ ist nicht vorhanden."_s.arg(queue);
    if (!job.rasterise)
        return u"Auf dem Drucker „%1“ darf dieses Dokument nicht gedruckt werden."_s.arg(queue);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    printer.setCopyCount(job.copies);
    return rasterise(document, printer, job);
}

QString spool(const EngineDocument &document, const QString &queue, const PrintJob &job)
{
    const CupsQueue::Options options = {
        {"page-ranges", u"%1-%2"_s.arg(job.first + 1).arg(job.last + 1).toLatin1()},
        {"copies", QByteArray::number(job.copies)},
    };
    const QString error =
        CupsQueue::printFile(queue, document.filePath(), jobTitle(document), options);
    if (error.isEmpty())
        return {};
    return u"Das Dokument konnte nicht an den Drucker „%1“ übergeben werden: %2"_s.arg(queue,
                                                                                       error);
}

QString rasterise(const EngineDocument &document, QPrinter &printer, const PrintJob &job)
{
    if (printer.docName().isEmpty())
        printer.setDocName(jobTitle(document));
    printer.setFullPage(true);
    const auto fitPaper = [&](int page) {
        const QSizeF points = document.pageSize(page);
        printer.setPageOrientation(orientationOf(points));
        printer.setPageSize(QPageSize(points, QPageSize::Point));
    };
    fitPaper(job.first);
    QPainter painter;
    if (!painter.begin(&printer))
        return u"Der Drucker „%1“ kann nicht benutzt werden."_s.arg(printer.printerName());
    const int dpi = std::min(printer.resolution(), job.maxDpi);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int page = job.first; page <= job.last; ++page) {
        if (page > job.first) {
            fitPaper(page);
            printer.newPage();
        }
        paintPage(painter, document, page, printer, dpi);
    }
    if (!painter.end())
        return u"Der Druck konnte nicht abgeschlossen werden."_s;
    return {};
}

} // namespace EnginePrinter
