#pragma once

#include <functional>

class QPagedPaintDevice;
class ReportDocument;

// Which pages, how often. Pages count from 1; 0 as fromPage or toPage means the first or
// the last page.
struct ReportPrintOptions
{
    int fromPage = 0;
    int toPage = 0;
    int copies = 1;
    bool collate = true;

    bool operator==(const ReportPrintOptions &) const = default;
};

// Called after each page put on the device with the number of pages put so far; false stops.
using ReportPageDone = std::function<bool(int pagesDone)>;

// Paints a generated document onto a device whose paper is the document's and whose origin
// is the paper's corner (QPdfWriter without margins, QPrinter with full page). Copies are
// painted here; a device that makes copies itself gets copies = 1. False when stopped or
// when the device could not be painted on.
bool paintReport(const ReportDocument &document, QPagedPaintDevice &device,
                 const ReportPrintOptions &options, const ReportPageDone &pageDone);
