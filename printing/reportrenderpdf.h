#pragma once

#include "printing/reportoutput.h"

#include <QObject>
#include <QString>

class ReportDocument;

struct PdfOutputSettings
{
    QString displayName = QStringLiteral("PDF-Dokument (PDF)");
    QString fileExtension = QStringLiteral("*.pdf");
    int resolution = 300; // dots per inch of the drawing
    QString creator;      // default: the engine's name and version
    QString producer;

    bool operator==(const PdfOutputSettings &) const = default;

    // "PDF-Dokument (PDF) (*.pdf)", for a file dialog.
    QString fileFilter() const { return displayName + QStringLiteral(" (") + fileExtension + u')'; }
};

// Writes a generated report as a PDF file. The whole document is built in memory and then
// written in one go, so a file is either complete or left as it was.
class ReportRenderPdf final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportRenderPdf)

public:
    explicit ReportRenderPdf(QObject *parent = nullptr);
    ~ReportRenderPdf() override;

    PdfOutputSettings &settings() { return m_settings; }
    const PdfOutputSettings &settings() const { return m_settings; }

    // False when `pageDone` stopped it (nothing written). Raises AppError with a German
    // message when the file cannot be written.
    bool write(const ReportDocument &document, const QString &path, const QString &title,
               const ReportPageDone &pageDone = {}) const;

    // The engine's name for the creator and producer fields.
    static QString engineName();

private:
    PdfOutputSettings m_settings;
};
