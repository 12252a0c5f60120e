#pragma once

#include <QString>

class EngineDocument;
class QPrinter;

// What to print and how the engine's security switches allow it.
struct PrintJob
{
    int first = 0; // page indexes, inside the document
    int last = 0;
    int copies = 1;
    bool spoolFile = true; // the file may go to a CUPS queue as it is
    bool rasterise = true; // pages may be painted onto a printer device
    int maxDpi = 300;      // for painted pages
};

// Printing a loaded document. Results are empty on success, otherwise a German message.
namespace EnginePrinter {

// Prints on the named queue (empty: the default printer): the file itself where the queue is a
// CUPS queue and the job allows it, otherwise painted page by page.
QString print(const EngineDocument &document, const QString &printerName, const PrintJob &job);
// Hands the file to a CUPS queue with the job's page range.
QString spool(const EngineDocument &document, const QString &queue, const PrintJob &job);
// Paints the pages onto a printer set up by the caller, at its resolution up to maxDpi.
QString rasterise(const EngineDocument &document, QPrinter &printer, const PrintJob &job);

} // namespace EnginePrinter
