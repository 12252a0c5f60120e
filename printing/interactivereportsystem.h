#pragma once

#include "printing/reportsystem.h"

#include <QPointer>

class DialogService;
class QPrinter;
class QWidget;

// The report system of the application: a status window while pages are generated and put
// out, the modal preview, printing through the print dialog on the current printer, and
// saving as a PDF file from the preview.
class InteractiveReportSystem final : public ReportSystem
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InteractiveReportSystem)

public:
    explicit InteractiveReportSystem(QObject *parent = nullptr);
    ~InteractiveReportSystem() override;

    // The window the dialogs belong to.
    void setDialogParent(QWidget *window) { m_dialogParent = window; }
    // Where errors of the preview's commands are shown; without one, in a plain QMessageBox.
    void setDialogs(DialogService *dialogs) { m_dialogs = dialogs; }

    // The printer-setup dialog: the printer chosen there becomes the current printer.
    void printerSetup(QWidget *parent);
    // Asks for a file name and writes the document there.
    void savePdf(const ReportDocument &document, QWidget *parent);

protected:
    std::unique_ptr<ReportProgress> createProgress(const QString &text) override;
    void preview(const ReportDocument &document) override;
    void print(const ReportDocument &document) override;

private:
    void printOn(const ReportDocument &document, QWidget *parent);
    void prepare(QPrinter &printer, const ReportDocument &document) const;
    // Runs a command of the preview; its errors are shown, not raised into the event loop.
    template<typename Command>
    void guarded(Command &&command);

    QPointer<QWidget> m_dialogParent;
    DialogService *m_dialogs = nullptr;
};
