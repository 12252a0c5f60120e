#include "printing/reportoutput.h"

#include "printing/reportdocument.h"
#include "printing/reportfont.h"
#include "printing/reportpagepainter.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <vector>

bool paintReport(const ReportDocument &document, QPagedPaintDevice &device,
                 const ReportPrintOptions &options, const ReportPageDone &pageDone)
{
    const int last = document.pageCount();
    const int from = qBound(1, options.fromPage > 0 ? options.fromPage : 1, last);
    const int to = qBound(from, options.toPage > 0 ? options.toPage : last, last);
    const int copies = qMax(1, options.copies);
    std::vector<int> order;
    for (int outer = 0; outer < (options.collate ? copies : to - from + 1); ++outer) {
        for (int inner = 0; inner < (options.collate ? to - from + 1 : copies); ++inner)
            order.push_back(from - 1 + (options.collate ? inner : outer));
    }

    QPainter painter;
    if (last == 0 || !painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scaleX = device.logicalDpiX() / ReportUnitsPerInch;
    const qreal scaleY = device.logicalDpiY() / ReportUnitsPerInch;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        painter.save();
        painter.scale(scaleX, scaleY);
        paintReportPage(painter, document, order[i]);
        painter.restore();
        if (pageDone && !pageDone(int(i) + 1)) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}
