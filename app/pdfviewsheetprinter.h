#pragma once

#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "printing/sheetprinter.h"

// The batch print's printer: the main window's hidden PDF view control. Printing goes through
// the engine's commands directly, because their answers tell whether the engine printed; a
// control without an engine answers 0 to every command, which is no success here.
class PdfViewSheetPrinter final : public SheetPrinter
{
public:
    explicit PdfViewSheetPrinter(TPDFView &view)
        : m_view(view)
    {
    }

    bool LoadFromFile(const QString &path) override { return m_view.LoadFromFile(path); }

    bool SelectPrinter(const QString &deviceName) override
    {
        return m_view.hasEngine() &&
               m_view.SendCommandText(PDFViewCommands::CmdSetPrinter, deviceName) >= 0;
    }

    bool PrintPages(int first, int last) override
    {
        return m_view.hasEngine() &&
               m_view.SendCommandValue(PDFViewCommands::CmdPrintPages,
                                       PDFViewCommands::pageRange(first, last)) >= 0;
    }

private:
    TPDFView &m_view;
};
