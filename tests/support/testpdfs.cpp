#include "testpdfs.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace TestPdfs {

bool writeTextPdf(const QString &path, const QStringList &pageTexts, QSizeF pagePoints)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(pagePoints, QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(72);
    writer.setTitle(u"Testdokument"_s);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(28);
    painter.setFont(font);
    for (qsizetype i = 0; i < pageTexts.size(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawText(QPointF(40, 80), pageTexts.at(i));
        for (int line = 0; line < 12; ++line)
            painter.drawLine(QPointF(40, 120 + line * 30),
                             QPointF(pagePoints.width() - 40, 120 + line * 30));
    }
    return painter.end();
}

bool writeLinesPdf(const QString &path, const QStringList &pageLines)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(A4, QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    writer.setResolution(72);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(12);
    painter.setFont(font);
    for (qsizetype i = 0; i < pageLines.size(); ++i) {
        if (i > 0)
            writer.newPage();
        const QStringList lines = pageLines.at(i).split(u'\n');
        for (qsizetype line = 0; line < lines.size(); ++line)
            painter.drawText(QPointF(60, 80 + 18 * line), lines.at(line));
    }
    return painter.end();
}

bool writePlainPdf(const QString &path, const QStringList &pageTexts, const QString &url)
{
    // Objects: 1 catalogue, 2 page tree, 3 font, 4 and 5 the links, then page and content
    // of each page.
    const qsizetype pages = pageTexts.size();
    const auto pageObject = [](qsizetype page) {
        return QByteArray::number(6 + 2 * page);
    };
    QByteArray kids;
    for (qsizetype page = 0; page < pages; ++page)
        kids += pageObject(page) + " 0 R ";
    QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        "<< /Type /Annot /Subtype /Link /Rect [0 421 595 842] /Border [0 0 0] /Dest [" +
            pageObject(pages - 1) + " 0 R /XYZ 0 842 null] >>",
        "<< /Type /Annot /Subtype /Link /Rect [0 0 595 421] /Border [0 0 0] "
        "/A << /S /URI /URI (" +
            url.toLatin1() + ") >> >>",
    };
    for (qsizetype page = 0; page < pages; ++page) {
        const QByteArray annotations = page == 0 && !url.isEmpty() ? "/Annots [4 0 R 5 0 R] " : "";
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents " +
                       QByteArray::number(7 + 2 * page) +
                       " 0 R /Resources << /Font << /F1 3 0 R >> >> " + annotations + ">>");
        const QByteArray text =
            "BT /F1 28 Tf 40 780 Td (" + pageTexts.at(page).toLatin1() + ") Tj ET";
        objects.append("<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text +
                       "\nendstream");
    }
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : std::as_const(offsets))
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(pdf) == pdf.size();
}

bool writeUnshowablePdfs(const QString &folder)
{
    const std::pair<QString, QByteArray> files[] = {
        {u"leer.pdf"_s, {}},
        {u"text.pdf"_s, "Dies ist kein PDF, nur Text.\n"},
        {u"ohne Seiten.pdf"_s, "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
                               "2 0 obj << /Type /Pages /Kids [] /Count 0 >> endobj\n"
                               "trailer << /Root 1 0 R >>\n%%EOF\n"}};
    for (const auto &[name, content] : files) {
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(content) != content.size())
            return false;
    }
    return true;
}

bool encryptWithQpdf(const QString &source, const QString &target, const QString &password)
{
    const QString qpdf = QStandardPaths::findExecutable(u"qpdf"_s);
    if (qpdf.isEmpty())
        return false;
    // posix_spawn rather than QProcess: after a fork in a process with threads (QtTest's
    // watchdog is one) ThreadSanitizer stops watching the process, and the tests of the
    // engine's threads run under it.
    const QList<QByteArray> arguments = {QFile::encodeName(qpdf),
                                         "--encrypt",
                                         password.toUtf8(),
                                         (password + u"-owner"_s).toUtf8(),
                                         "256",
                                         "--",
                                         QFile::encodeName(source),
                                         QFile::encodeName(target)};
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv.front(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace TestPdfs
