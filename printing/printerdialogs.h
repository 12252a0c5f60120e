#pragma once

class QPrinter;
class QWidget;

// The platform's printer dialogs, shown modally for `printer`; true when the user confirmed.
namespace PrinterDialogs {

// The print dialog with no options: the user chooses the printer (and settings nobody reads).
bool print(QPrinter &printer, QWidget *parent);
// The printer setup: the print dialog titled "Druckereinrichtung", for choosing only.
bool setup(QPrinter &printer, QWidget *parent);

} // namespace PrinterDialogs
