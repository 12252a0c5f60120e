#pragma once

#include "printing/reportoutput.h"

#include <QObject>
#include <QString>

#include <memory>

class ReportDocument;
class ReportRenderPdf;

enum class ReportDestination { Preview, Printer, File };

// How a report run presents itself and where its pages go. The preview is always modal: a
// generated document lives only as long as its run.
struct ReportSystemSettings
{
    QString statusTitle = QStringLiteral("Report Status");
    QString previewTitle = QStringLiteral("Listen Vorschau");
    // "%p" stands for the page number.
    QString generatingText = QStringLiteral("Generating page %p");
    QString printingText = QStringLiteral("Printing page %p");
    QString jobTitle = QStringLiteral("Norvenz Report");
    ReportDestination destination = ReportDestination::Preview;
    QString outputFile; // the PDF file of ReportDestination::File
    bool showStatus = true;
    bool printFromPreview = true;
    int previewZoom = 100; // per cent

    bool operator==(const ReportSystemSettings &) const = default;
};

// Shown while pages are generated or put out. pageDone gets the page number and answers
// false when the user asked to stop.
class ReportProgress
{
public:
    virtual ~ReportProgress() = default;
    virtual bool pageDone(int page) = 0;
};

// Generates the pages of a report run and sends them to the destination. The preview, the
// printer and the status window need widgets; a system without them (this class) writes PDF
// files only.
class ReportSystem : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportSystem)

public:
    explicit ReportSystem(QObject *parent = nullptr);
    ~ReportSystem() override;

    ReportSystemSettings &settings() { return m_settings; }
    const ReportSystemSettings &settings() const { return m_settings; }
    void setPdfRenderer(const ReportRenderPdf *renderer) { m_pdf = renderer; }
    const ReportRenderPdf *pdfRenderer() const { return m_pdf; }

    // Generates every page, then shows, prints or writes them. Returns early and quietly
    // when the user stops it; raises AppError on failures.
    void execute(ReportDocument &document);

    // "%p" of `text` replaced by the page number.
    static QString pageText(const QString &text, int page);

protected:
    // A status window showing `text`; nullptr for none.
    virtual std::unique_ptr<ReportProgress> createProgress(const QString &text);
    virtual void preview(const ReportDocument &document);
    virtual void print(const ReportDocument &document);
    // Writes the PDF file with a status window.
    void writePdf(const ReportDocument &document, const QString &path);

private:
    ReportSystemSettings m_settings;
    const ReportRenderPdf *m_pdf = nullptr;
};
