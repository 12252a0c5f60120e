#pragma once

#include "printing/reportsystem.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>

namespace Ui {
class ReportStatusWindow;
}

// The small window shown while a report's pages are generated or put out: "Generating page
// 12". It blocks the other windows but keeps the application alive, and its "Abbrechen" (or
// its close box) stops the run.
class ReportStatusWindow final : public QDialog, public ReportProgress
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportStatusWindow)

public:
    ReportStatusWindow(const QString &title, const QString &text, QWidget *parent);
    ~ReportStatusWindow() override;

    bool pageDone(int page) override;
    bool stopped() const { return m_stopped; }
    QString statusText() const;

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::ReportStatusWindow> m_ui;
    const QString m_text;
    QElapsedTimer m_sinceEvents;
    bool m_stopped = false;
};
