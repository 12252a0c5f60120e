#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QWidget>

class CurrentList;
class DialogService;
class InteractiveReportSystem;
class ReportConnection;
class ReportProject;
class ReportRenderPdf;

// The row numbers the report's data connection moves through; off unless enabled
// (QT_LOGGING_RULES="kb.report.rows.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcReportRows)

// The host of the list report. It is never shown; it keeps its bounds in the settings (the
// user's own file where the user cannot write the installation's) across runs (read when
// created, written when destroyed). Its components run the report project "Listen.xml" of the
// working directory, or else of the executable's folder, whose report "Report1" reads the rows
// of the current list through ReportConnection1.
class TfrmReport final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmReport)

public:
    // The list may also be given later (setCurrentList) or with each run (RunListReport).
    TfrmReport(QString settingsPath, QWidget *owner, const CurrentList *currentList = nullptr);
    ~TfrmReport() override;

    // When set, the report takes only the marked rows of the list.
    bool NurMarkierte = false;

    ReportProject *const ReportProject1;
    ReportConnection *const ReportConnection1;
    InteractiveReportSystem *const ReportSystem1;
    ReportRenderPdf *const ReportRenderPDF1;

    // The list the data connection reads; nullptr for none (the report then has no rows).
    void setCurrentList(const CurrentList *list) { m_list = list; }
    const CurrentList *currentList() const { return m_list; }

    // The report branch of the print command for print kind 0 ("Aktuelle Liste") or 2
    // ("markierte Liste"): sets the parameters and NurMarkierte, then runs "Report1" on
    // `list` and returns when the preview is closed. "Unbekannte Sortierung!" goes to
    // `dialogs` as a plain message; errors (a missing project file among them) are raised
    // as AppError for the handler's error box.
    void RunListReport(int printKind, const CurrentList &list, const QByteArray &Edition,
                       const QByteArray &EditionLabel, DialogService &dialogs);

    // The handlers of ReportConnection1.
    void ReportConnection1GetCols(ReportConnection &Connection);
    void ReportConnection1First(ReportConnection &Connection);
    void ReportConnection1Next(ReportConnection &Connection);
    void ReportConnection1EOF(ReportConnection &Connection, bool &Eof);
    void ReportConnection1GetRow(ReportConnection &Connection);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void skipUnmarked(ReportConnection &Connection) const;
    int rowCount() const;

    const QString m_settingsPath;
    const CurrentList *m_list = nullptr;
};
