#include "catalogue/tkennblattliste.h"
#include "platform/cp1252.h"
#include "printing/interactivereportsystem.h"
#include "printing/reportpreviewdialog.h"
#include "printing/reportproject.h"
#include "printing/untlisten.h"
#include "scripteddialogservice.h"
#include "testfiles.h"
#include "vectorcurrentlist.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FilterState)

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// The text of each page, laid out as on paper.
QStringList pdfPages(const QString &path)
{
    QStringList pages =
        QString::fromUtf8(run(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s})).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QString pdfInfo(const QString &path, const QString &key)
{
    const QString info = QString::fromUtf8(run(u"pdfinfo"_s, {path}));
    const QRegularExpression line(u"^"_s + key + uR"(:\s*(.*)$)"_s,
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

// The data-sheet numbers in the order the pages show them.
QStringList numbersIn(const QStringList &pages)
{
    static const QRegularExpression number(uR"(^\s*(\d{5}\.\d{2})\s)"_s,
                                           QRegularExpression::MultilineOption);
    QStringList numbers;
    for (const QString &page : pages) {
        for (const auto &match : number.globalMatch(page))
            numbers.append(match.captured(1));
    }
    return numbers;
}

const QStringList columnTitles = {u"KB-Nr."_s,       u"Marke"_s,  u"Pulver"_s,
                                  u"Herst./Lief."_s, u"Zusatz"_s, u"TÜO"_s};

} // namespace

// Runs of the list report through the report host to PDF files, read back with pdftotext.
class TestReportRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_previousDir;
    TKennblattListe m_catalogue;
    std::unique_ptr<TfrmReport> m_form;
    ScriptedDialogService m_dialogs;

    QString output() const { return m_dir.filePath(u"out/Liste.pdf"_s); }
    QString project() const { return m_dir.filePath(u"Listen.xml"_s); }

    VectorCurrentList list(const QList<int> &records, qint32 sort = 1) const
    {
        VectorCurrentList result;
        for (const int record : records)
            result.rows.push_back(&m_catalogue.Get(record));
        result.sort = sort;
        return result;
    }

    void runReport(int kind, const VectorCurrentList &list)
    {
        m_form->RunListReport(kind, list, "2026.2", Cp1252::fromUnicode(u"Ausgabe Herbst 2026"),
                              m_dialogs);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QVERIFY(QDir().mkpath(u"out"_s));
        m_catalogue.Add("1.2", "Fox EV 50", "", "BOE", "E", "TUV", 2);
        m_catalogue.Add("7.0", Cp1252::fromUnicode(u"Thermanit Größe"), "UV 420 TT", "THY", "UP",
                        "SLV", 1);
        m_catalogue.Add("12.31", "Fox DMO-IG", "", "BOE", "MSG", "DB", 2);
        m_catalogue.Add("40.0", "Union K 52", "", "UNI", "MSG", "DB", 1);
        // Long enough to wrap in its column.
        m_catalogue.Add("41.0", "Schweissdraht mit einem ungewoehnlich langen Markennamen Ende", "",
                        "UNI", "MSG", "DB", 1);
        for (int i = 0; i < 300; ++i)
            m_catalogue.Add(QByteArray(QByteArray::number(100 + i) + ".0"),
                            "Marke " + QByteArray::number(i), "", "H" + QByteArray::number(i % 7),
                            "Z", "T", 1);
    }

    void init()
    {
        QFile::remove(project());
        QVERIFY(QFile::copy(QStringLiteral(KB_REPORT_PROJECT), project()));
        QFile::remove(output());
        m_dialogs.clear();
        m_form = std::make_unique<TfrmReport>(m_dir.filePath(u"k.INI"_s), nullptr);
        m_form->ReportSystem1->settings().destination = ReportDestination::File;
        m_form->ReportSystem1->settings().outputFile = output();
    }

    void cleanupTestCase()
    {
        m_form.reset();
        QDir::setCurrent(m_previousDir);
    }

    void listVariants_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("records"); // of the catalogue, in list order
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<qint32>("sort");
        QTest::addColumn<FilterState>("filters");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QStringList>("texts"); // shown in the page header or summary

        FilterState fox;
        fox.texts[1] = " Fox ";
        fox.changeFilterIndex = 1;
        QTest::newRow("current list")
            << 0 << QList<int>{0, 1, 2} << QList<int>{1} << 1 << FilterState{}
            << QStringList{u"00001.02"_s, u"00007.00"_s, u"00012.31"_s}
            << QStringList{u"Sortiert nach Kennblattnummer"_s, u"Ausgabe Herbst 2026"_s,
                           u"Stand 2026.2"_s, u"3 Kennblätter"_s};
        QTest::newRow("marked rows only")
            << 2 << QList<int>{0, 1, 2, 3} << QList<int>{1, 3} << 1 << fox
            << QStringList{u"00007.00"_s, u"00040.00"_s}
            << QStringList{u"Nur markierte Kennblätter"_s, u"2 Kennblätter"_s};
        QTest::newRow("sorted descending")
            << 0 << QList<int>{3, 1, 2, 0} << QList<int>{} << -2 << FilterState{}
            << QStringList{u"00040.00"_s, u"00007.00"_s, u"00012.31"_s, u"00001.02"_s}
            << QStringList{u"Sortiert nach Marke absteigend"_s};
        QTest::newRow("filtered") << 0 << QList<int>{0, 2} << QList<int>{} << 1 << fox
                                  << QStringList{u"00001.02"_s, u"00012.31"_s}
                                  << QStringList{u"Liste ist gefiltert"_s,
                                                 u"Filter: Marke = 'Fox', Geändert = 'Ja'"_s};
    }

    void listVariants()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, records);
        QFETCH(QList<int>, marked);
        QFETCH(qint32, sort);
        QFETCH(FilterState, filters);
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, texts);
        VectorCurrentList current = list(records, sort);
        current.marked = QSet<int>(marked.begin(), marked.end());
        current.filters = filters;
        runReport(kind, current);

        const QStringList pages = pdfPages(output());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(numbersIn(pages), numbers);
        for (const QString &text : texts)
            QVERIFY2(pages[0].contains(text), qPrintable(text));
        QCOMPARE(pages[0].contains(u"Filter:"_s), filters.anyFilterSet() && kind == 0);
        // A whole row on one line, its cells in column order.
        QVERIFY(pages[0].contains(QRegularExpression(
                    uR"(00007\.00\s+Thermanit Größe\s+UV 420 TT\s+THY\s+UP\s+SLV)"_s)) ==
                numbers.contains(u"00007.00"_s));
        QVERIFY(m_dialogs.shown().isEmpty());
    }

    void longListPaginates()
    {
        QList<int> records;
        for (int i = 0; i < m_catalogue.Count(); ++i)
            records.append(i);
        runReport(0, list(records));

        const QStringList pages = pdfPages(output());
        QVERIFY(pages.size() >= 5);
        QCOMPARE(pdfInfo(output(), u"Pages"_s), QString::number(pages.size()));
        QCOMPARE(numbersIn(pages).size(), m_catalogue.Count());
        QVERIFY(numbersIn(pages).first() == u"00001.02"_s &&
                numbersIn(pages).last() == u"00399.00"_s);
        for (qsizetype i = 0; i < pages.size(); ++i) {
            for (const QString &title : columnTitles)
                QVERIFY2(pages[i].contains(title), qPrintable(title));
            QVERIFY(pages[i].contains(u"Seite %1 von %2"_s.arg(i + 1).arg(pages.size())));
            QCOMPARE(pages[i].contains(u"305 Kennblätter"_s), i == pages.size() - 1);
        }
        // The long brand wraps within its column instead of being cut.
        QVERIFY(pages[0].contains(QRegularExpression(uR"(00041\.00\s+Schweissdraht mit)"_s)));
        QVERIFY(pages[0].contains(u"Markennamen Ende"_s));
        QVERIFY(pdfInfo(output(), u"Producer"_s).startsWith(u"KB-Report "_s));
        QVERIFY(pdfInfo(output(), u"Creator"_s).startsWith(u"KB-Report "_s));
        QCOMPARE(pdfInfo(output(), u"Title"_s), u"Norvenz Report"_s);
    }

    void earlierFilterIsKeptButNotShown()
    {
        VectorCurrentList current = list({0, 2});
        current.filters.texts[1] = "Fox";
        runReport(0, current);
        current.filters = {};
        runReport(0, current);
        QCOMPARE(m_form->ReportProject1->parameter(u"Filter"_s), u"Marke = 'Fox'"_s);
        QCOMPARE(m_form->ReportProject1->parameter(u"Gefiltert"_s), QString());
        QVERIFY(!pdfPages(output()).join(u'\f').contains(u"Fox'"_s));
    }

    void unknownSortOrderKeepsTheEarlierDescription()
    {
        runReport(0, list({0, 1}, -3));
        runReport(0, list({1, 0}, 42));
        QCOMPARE(m_dialogs.shown().size(), 1);
        QCOMPARE(m_dialogs.shown().first(),
                 (MessageBoxSpec{u"Norvenz SZW Kennblätter"_s, MessageBoxSpec::Icon::None,
                                 MessageBoxSpec::Buttons::Ok, u"Unbekannte Sortierung!"_s}));
        QVERIFY(pdfPages(output()).value(0).contains(u"Sortiert nach Pulver absteigend"_s));
    }

    void missingProjectIsAskedForAgain()
    {
        QVERIFY(QFile::remove(project()));
        // The working directory first, then the program's folder.
        const QString expected = u"The following reporting project does not exist:\r\""_s +
                                 QDir::current().absoluteFilePath(u"Listen.xml"_s) + u"\"\r\""_s +
                                 QCoreApplication::applicationDirPath() + u"/Listen.xml\""_s;
        QCOMPARE(errorOf([&] { runReport(0, list({0})); }), expected);
        QVERIFY(!QFile::exists(output()));
        QVERIFY(QDir().mkdir(u"Listen.xml"_s)); // a folder is no project
        QCOMPARE(errorOf([&] { runReport(0, list({0})); }), expected);
        QVERIFY(QDir().rmdir(u"Listen.xml"_s));
        QVERIFY(QFile::copy(QStringLiteral(KB_REPORT_PROJECT), project()));
        runReport(0, list({0}));
        QCOMPARE(numbersIn(pdfPages(output())), QStringList{u"00001.02"_s});
    }

    void projectOfTheWorkingDirectoryOrElseOfTheProgram_data()
    {
        QTest::addColumn<bool>("inWorkingDirectory");
        QTest::addColumn<QString>("read"); // the file name below the test folder
        QTest::newRow("both: the working directory's") << true << u"Listen.xml"_s;
        QTest::newRow("started elsewhere: the program's") << false << u"programm/Listen.xml"_s;
    }
    void projectOfTheWorkingDirectoryOrElseOfTheProgram()
    {
        QFETCH(bool, inWorkingDirectory);
        QFETCH(QString, read);
        const QString programFolder = m_dir.filePath(u"programm"_s);
        QVERIFY(QDir().mkpath(programFolder));
        QFile::remove(programFolder + u"/Listen.xml"_s);
        QVERIFY(QFile::copy(QStringLiteral(KB_REPORT_PROJECT), programFolder + u"/Listen.xml"_s));
        if (!inWorkingDirectory)
            QVERIFY(QFile::remove(project()));
        m_form->ReportProject1->setFallbackFolder(programFolder);
        runReport(0, list({0, 1}));
        QCOMPARE(m_form->ReportProject1->path(), m_dir.filePath(read));
        QCOMPARE(numbersIn(pdfPages(output())), (QStringList{u"00001.02"_s, u"00007.00"_s}));
    }

    // Printing nothing without a word would leave the user guessing.
    void projectWithoutReport1SaysSo()
    {
        QByteArray xml = readFile(QStringLiteral(KB_REPORT_PROJECT));
        xml.replace("name=\"Report1\"", "name=\"Report2\"");
        writeFile(project(), xml);
        QCOMPARE(errorOf([&] { runReport(0, list({0})); }),
                 u"Das Berichtsprojekt „"_s + project() + u"“ enthält keinen Bericht „Report1“."_s);
        QVERIFY(!QFile::exists(output()));
        QVERIFY(m_dialogs.shown().isEmpty());
    }

    void previewIsModalWithItsTitle()
    {
        QList<int> records;
        for (int i = 0; i < 120; ++i)
            records.append(i);
        runReport(0, list(records));
        const qsizetype printed = pdfPages(output()).size();
        QVERIFY(printed > 1);

        m_form->ReportSystem1->settings().destination = ReportDestination::Preview;
        QString title;
        bool modal = false;
        bool closeShown = false;
        int pages = 0;
        // The status window comes first; the preview follows when the pages are done.
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *preview = qobject_cast<ReportPreviewDialog *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            poll.stop();
            title = preview->windowTitle();
            modal = preview->isModal();
            pages = preview->findChild<QSpinBox *>(u"spnSeite"_s)->maximum();
            // "Schließen" in sight as the preview opens, and in a narrow preview too, not in
            // the tool bar's overflow menu.
            for (int width : {preview->width(), 420}) {
                preview->resize(width, preview->height());
                QCoreApplication::processEvents();
                closeShown = false;
                for (const QToolButton *button : preview->findChildren<QToolButton *>()) {
                    if (button->defaultAction() != nullptr &&
                        button->defaultAction()->objectName() == u"actSchliessen"_s) {
                        const QRect place(button->mapTo(preview, QPoint()), button->size());
                        closeShown = button->isVisible() && preview->rect().contains(place) &&
                                     button->text().remove(u'&') == u"Schließen"_s;
                    }
                }
                if (!closeShown)
                    break;
            }
            preview->close();
        });
        poll.start(10);
        runReport(0, list(records));
        QCOMPARE(title, u"Listen Vorschau"_s);
        QVERIFY(modal);
        QVERIFY(closeShown);
        QCOMPARE(pages, printed);
    }
};

QTEST_MAIN(TestReportRun)
#include "tst_reportrun.moc"
