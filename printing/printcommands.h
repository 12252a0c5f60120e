#pragma once

#include <QByteArrayList>
#include <QObject>
#include <QString>

#include <functional>

class CurrentList;
class DialogService;
class QComboBox;
class QPrinter;
class QWidget;
class SheetPrinter;
class TfrmDruckStatus;
class TfrmReport;
struct LoadedCatalogue;
struct ProgramSettings;

// The print command of the main window and its printer setup. The print kind chosen in
// cmbDrucklisten either runs the list report or prints the PDF file of each data sheet, one
// after the other, on a printer the user picks, reporting in the print status window, where
// the batch can be aborted. The batch lets events in only at fixed points; it announces itself
// with batchStarted() and batchFinished(), in pairs, so that the main window can keep the list
// unchanged meanwhile.
class PrintCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrintCommands)

public:
    // The items of cmbDrucklisten.
    enum PrintKind {
        AktuelleListe = 0,
        AktuelleKennblaetter = 1,
        MarkierteListe = 2,
        MarkierteKennblaetter = 3,
    };

    // Above this many sheets the batch asks first.
    static constexpr int SheetsWithoutQuestion = 10;

    // The edition comes from `catalogue` and the PDF folder from `settings` as they are at the
    // time of a command. `owner` owns the two windows and the dialogs; the report host keeps
    // its bounds in the settings file `settingsPath`.
    PrintCommands(DialogService &dialogs, const ProgramSettings &settings,
                  const LoadedCatalogue &catalogue, const CurrentList &list,
                  const QComboBox &cmbDrucklisten, SheetPrinter &PDFView1, QString settingsPath,
                  QWidget &owner);
    ~PrintCommands() override;

    // Start-up: the print status window and then the report host, both hidden.
    void createForms();
    // Closing: releases the report host, which stores its bounds as it goes.
    void releaseReport();

    TfrmDruckStatus *druckStatus() const { return frmDruckStatus; }
    TfrmReport *report() const { return frmReport; }
    bool batchRunning() const { return m_batchRunning; }

    // A printer dialog: shown for `printer`, true when the user confirmed. Tests put a choice
    // of their own in place of the modal dialog.
    using PrinterDialog = std::function<bool(QPrinter &printer)>;
    PrinterDialog PrintDialog1;
    PrinterDialog PrinterSetupDialog1;

    // Event handlers.
    void btnDruckenClick();
    void mnuDruckereinrichtungClick();

Q_SIGNALS:
    void batchStarted();
    void batchFinished();

private:
    void printSheets(int printKind, int count);
    QByteArrayList takenNumbers(int printKind) const;
    void walkSheets(const QByteArrayList &numbers, const QString &deviceName);
    bool choosePrinter(const PrinterDialog &dialog);

    DialogService &m_dialogs;
    const ProgramSettings &m_settings;
    const LoadedCatalogue &m_catalogue;
    const CurrentList &m_list;
    const QComboBox &m_cmbDrucklisten;
    SheetPrinter &PDFView1;
    const QString m_settingsPath;
    QWidget &m_owner;

    TfrmDruckStatus *frmDruckStatus = nullptr;
    TfrmReport *frmReport = nullptr;
    bool DruckAbbruch = false;
    bool m_batchRunning = false;
};
