#pragma once

class QPainter;
class ReportDocument;

// Paints page `pageIndex` of a generated document. The painter works in layout units
// (reportfont.h) with its origin at the top left corner of the paper.
void paintReportPage(QPainter &painter, const ReportDocument &document, int pageIndex);
