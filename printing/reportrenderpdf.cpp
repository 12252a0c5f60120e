#include "printing/reportrenderpdf.h"

#include "platform/apperror.h"
#include "platform/savefile.h"
#include "printing/reportdocument.h"

#include <QBuffer>
#include <QDateTime>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

// A PDF text string: UTF-16BE with byte-order mark, in hex, so nothing needs escaping.
QByteArray pdfString(const QString &text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    return '<' + bytes.toHex().toUpper() + '>';
}

// QPdfWriter of Qt 6.4 always names Qt as the producer. The document information is therefore
// given again in an incremental update (PDF 1.4, section 3.4.5): the information object
// written anew, a cross-reference section for it and a trailer pointing back to the first
// one. Readers take the newest object. Leaves the bytes alone when the trailer is not the
// expected one.
void updateDocumentInfo(QByteArray &pdf, const QString &title, const QString &creator,
                        const QString &producer, const QDateTime &created)
{
    static const QRegularExpression trailer(
        uR"(trailer\s*<<\s*/Size (\d+)\s*/Info (\d+) 0 R\s*/Root (\d+) 0 R\s*>>\s*startxref\s*(\d+)\s*%%EOF\s*$)"_s);
    const QRegularExpressionMatch match =
        trailer.match(QString::fromLatin1(pdf.right(qMin<qsizetype>(pdf.size(), 300))));
    if (!match.hasMatch())
        return;
    const QByteArray size = match.captured(1).toLatin1();
    const QByteArray info = match.captured(2).toLatin1();
    const QByteArray root = match.captured(3).toLatin1();
    const QByteArray previous = match.captured(4).toLatin1();

    if (!pdf.endsWith('\n'))
        pdf.append('\n');
    const qsizetype objectOffset = pdf.size();
    const QByteArray date = created.toUTC().toString(u"yyyyMMddHHmmss"_s).toLatin1();
    pdf += info + " 0 obj\n<<\n/Title " + pdfString(title) + "\n/Creator " + pdfString(creator) +
           "\n/Producer " + pdfString(producer) + "\n/CreationDate (D:" + date + "Z)\n>>\nendobj\n";
    const qsizetype xrefOffset = pdf.size();
    pdf += "xref\n" + info + " 1\n" + QByteArray::number(objectOffset).rightJustified(10, '0') +
           " 00000 n \ntrailer\n<<\n/Size " + size + "\n/Info " + info + " 0 R\n/Root " + root +
           " 0 R\n/Prev " + previous + "\n>>\nstartxref\n" + QByteArray::number(xrefOffset) +
           "\n%%EOF\n";
}

} // namespace

ReportRenderPdf::ReportRenderPdf(QObject *parent)
    : QObject(parent)
{
    m_settings.creator = engineName();
    m_settings.producer = engineName() + u" mit Qt "_s + QString::fromLatin1(qVersion());
}

ReportRenderPdf::~ReportRenderPdf() = default;

QString ReportRenderPdf::engineName()
{
    return QStringLiteral("KB-Report " KB_VERSION);
}

bool ReportRenderPdf::write(const ReportDocument &document, const QString &path,
                            const QString &title, const ReportPageDone &pageDone) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(m_settings.resolution);
        writer.setTitle(title);
        writer.setCreator(m_settings.creator);
        writer.setPageLayout(document.layout().pageLayout());
        if (!paintReport(document, writer, {}, pageDone))
            return false;
    }
    QByteArray pdf = buffer.buffer();
    updateDocumentInfo(pdf, title, m_settings.creator, m_settings.producer,
                       QDateTime::currentDateTime());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !commitSaveFile(file))
        throw AppError(u"Die PDF-Datei \"%1\" kann nicht geschrieben werden: %2"_s.arg(
            path, file.errorString()));
    return true;
}
