#pragma once

#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "printing/sheetprinter.h"

#include <QObject>

// The batch print's printer: the main window's hidden PDF view control. Printing goes through
// the engine's commands directly, because their answers tell whether the engine printed; a
// control without an engine answers 0 to every command, which is no success here. Why a
// command failed, the engine says in its error notification.
class PdfViewSheetPrinter final : public SheetPrinter
{
public:
    explicit PdfViewSheetPrinter(TPDFView &view)
        : m_view(view)
        , m_errors(QObject::connect(&view, &TPDFView::OnError, &view,
                                    [this](const QString &text) { m_errorText = text; }))
    {
    }
    ~PdfViewSheetPrinter() override { QObject::disconnect(m_errors); }
    PdfViewSheetPrinter(const PdfViewSheetPrinter &) = delete;
    PdfViewSheetPrinter &operator=(const PdfViewSheetPrinter &) = delete;

    bool LoadFromFile(const QString &path) override
    {
        m_errorText.clear();
        return withEngine() && m_view.LoadFromFile(path);
    }

    bool SelectPrinter(const QString &deviceName) override
    {
        if (!withEngine())
            return false;
        if (m_view.SendCommandText(PDFViewCommands::CmdSetPrinter, deviceName) >= 0)
            return true;
        m_errorText = QStringLiteral("Die PDF-Komponente nimmt keinen Drucker an.");
        return false;
    }

    bool PrintPages(int first, int last) override
    {
        return withEngine() &&
               m_view.SendCommandValue(PDFViewCommands::CmdPrintPages,
                                       PDFViewCommands::pageRange(first, last)) >= 0;
    }

    QString errorText() const override { return m_errorText; }

private:
    bool withEngine()
    {
        if (m_view.hasEngine())
            return true;
        m_errorText = QStringLiteral("Die PDF-Komponente ist nicht geladen.");
        return false;
    }

    TPDFView &m_view;
    QString m_errorText;
    QMetaObject::Connection m_errors;
};
