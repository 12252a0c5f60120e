// Printing through the engine on a CUPS queue of the test's own (cups-pdf).
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "privatecups.h"
#include "scripteddialogservice.h"
#include "testpdfs.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

namespace {

// The text pdftotext finds in a PDF.
QString pdfText(const QString &path)
{
    QProcess process;
    process.start(u"pdftotext"_s, {path, u"-"_s});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString &path)
{
    QProcess process;
    process.start(u"pdfinfo"_s, {path});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(u"Pages:"_s))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

} // namespace

class TestPdfPrint : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogService m_dialogs;
    PrivateCups m_cups;
    QTemporaryDir m_folder;
    QStringList m_outputs;
    const QString m_queue = u"KbTestPdf"_s;

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext is not installed");
        const QString notRunning = m_cups.start(m_queue);
        if (!notRunning.isEmpty())
            QSKIP(qPrintable(u"No private CUPS server: "_s + notRunning));
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        TPDFView::setDialogService(&m_dialogs);
    }

    void cleanupTestCase()
    {
        for (const QString &output : std::as_const(m_outputs))
            QFile::remove(output);
    }

    void printsOnTheQueue_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("highQuality");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("pages");
        QTest::newRow("the batch print's 0 to 99")
            << 0 << 99 << true << QStringList{u"Erste"_s, u"Zweite"_s} << 2;
        QTest::newRow("the second page") << 1 << 1 << true << QStringList{u"Zweite"_s} << 1;
        // Without high quality the engine paints the pages: no text left in the output.
        QTest::newRow("painted") << 0 << 99 << false << QStringList{} << 2;
    }
    void printsOnTheQueue()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, highQuality);
        QFETCH(QStringList, texts);
        QFETCH(int, pages);
        // The job's title is the file name; cups-pdf names its output after it.
        const QString token = u"kbdruck%1%2"_s.arg(QCoreApplication::applicationPid())
                                  .arg(QString::fromLatin1(QTest::currentDataTag()).length());
        const QString path = m_folder.filePath(token + u".pdf"_s);
        QVERIFY(TestPdfs::writePlainPdf(path, {u"Erste Seite"_s, u"Zweite Seite"_s}));
        TPDFView view;
        QStringList errors;
        connect(&view, &TPDFView::OnError, this, [&](const QString &m) { errors.append(m); });
        if (!highQuality)
            view.setSecurityOptions(TPDFView::pvDisableHQPrint);
        QVERIFY(view.LoadFromFile(path));
        QCOMPARE(view.SendCommandText(CmdSetPrinter, m_queue), 0);
        view.PrintPages(first, last);
        QCOMPARE(errors, QStringList());
        const QString output = m_cups.waitForOutput(token, 60);
        QVERIFY2(!output.isEmpty(), "cups-pdf wrote nothing");
        m_outputs.append(output);
        QCOMPARE(pdfPages(output), pages);
        const QString text = pdfText(output);
        for (const QString &expected : std::as_const(texts))
            QVERIFY2(text.contains(expected), qPrintable(text));
        if (texts.isEmpty())
            QVERIFY2(!text.contains(u"Seite"_s), qPrintable(text));
        if (!texts.contains(u"Erste"_s))
            QVERIFY(!text.contains(u"Erste"_s));
    }

    void unknownPrinterIsReported()
    {
        const QString path = m_folder.filePath(u"unbekannt.pdf"_s);
        QVERIFY(TestPdfs::writePlainPdf(path, {u"Erste Seite"_s}));
        TPDFView view;
        QStringList errors;
        connect(&view, &TPDFView::OnError, this, [&](const QString &m) { errors.append(m); });
        QVERIFY(view.LoadFromFile(path));
        view.SendCommandText(CmdSetPrinter, u"GibtEsNicht"_s);
        view.PrintPages(0, 99);
        QCOMPARE(errors, QStringList({u"Der Drucker „GibtEsNicht“ ist nicht vorhanden."_s}));
    }
};

QTEST_MAIN(TestPdfPrint)
#include "tst_pdfprint.moc"
