#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;
class ReportDocument;
class ReportPageView;
struct ReportSystemSettings;

// The preview of a generated report: its pages, page and zoom controls, and the commands to
// print them, to choose the printer and to save them as a PDF file. The commands are only
// announced here; the report system carries them out.
class ReportPreviewDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportPreviewDialog)

public:
    ReportPreviewDialog(const ReportDocument &document, const ReportSystemSettings &settings,
                        QWidget *parent);
    ~ReportPreviewDialog() override;

    ReportPageView *pageView() const { return m_view; }

Q_SIGNALS:
    void printRequested();
    void printerSetupRequested();
    void savePdfRequested();

private:
    void createToolBar(const ReportSystemSettings &settings, int pageCount);
    void zoomChosen(int index);
    void showCurrentPage(int page);

    ReportPageView *m_view = nullptr;
    QSpinBox *m_page = nullptr;
    QComboBox *m_zoom = nullptr;
};
