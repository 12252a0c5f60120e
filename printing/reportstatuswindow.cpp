#include "printing/reportstatuswindow.h"

#include "ui_reportstatuswindow.h"

#include <QCoreApplication>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Events are let in at most this often: often enough for a live window, rarely enough that a
// report of thousands of pages does not spend its time repainting the status.
constexpr qint64 eventIntervalMs = 40;

} // namespace

ReportStatusWindow::ReportStatusWindow(const QString &title, const QString &text, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ReportStatusWindow>())
    , m_text(text)
{
    m_ui->setupUi(this);
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    m_ui->buttonBox->addButton(u"Abbrechen"_s, QDialogButtonBox::RejectRole);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &ReportStatusWindow::reject);
    m_ui->lblStatus->setText(ReportSystem::pageText(m_text, 1));
    show();
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

ReportStatusWindow::~ReportStatusWindow() = default;

QString ReportStatusWindow::statusText() const
{
    return m_ui->lblStatus->text();
}

bool ReportStatusWindow::pageDone(int page)
{
    if (m_sinceEvents.elapsed() >= eventIntervalMs) {
        m_ui->lblStatus->setText(ReportSystem::pageText(m_text, page));
        QCoreApplication::processEvents();
        m_sinceEvents.restart();
    }
    return !m_stopped;
}

void ReportStatusWindow::reject()
{
    m_stopped = true;
    hide();
}
