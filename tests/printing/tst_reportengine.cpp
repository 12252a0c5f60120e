#include "platform/apperror.h"
#include "printing/reportconnection.h"
#include "printing/reportdocument.h"
#include "printing/reportoutput.h"
#include "printing/reportproject.h"
#include "printing/reportprojectreader.h"
#include "printing/reportrenderpdf.h"
#include "printing/reportsystem.h"
#include "testfiles.h"

#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ReportPrintOptions)

namespace {

// A project whose report body starts on line 4.
QByteArray project(const QByteArray &body)
{
    return "<reportproject>\n<report name=\"Report1\" connection=\"C\">\n"
           "<font id=\"t\" family=\"DejaVu Sans\"/>\n" +
           body +
           "\n<columns><column field=\"A\" width=\"20\"/></columns>\n</report>\n"
           "</reportproject>\n";
}

ReportDefinition defaultReport()
{
    const ReportProjectContents contents = readReportProject(QStringLiteral(KB_REPORT_PROJECT));
    return contents.reports.value(0);
}

} // namespace

// The engine without the host: the project file, line breaking, pagination.
class TestReportEngine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void faultyProjectFiles_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not well-formed")
            << project("<detail>\n</detal>") << 5 << u"kein gültiges XML"_s;
        QTest::newRow("cut off") << QByteArray("<reportproject>\n<report name=\"R\"") << 2
                                 << u"die Datei endet vorzeitig"_s;
        QTest::newRow("unknown element")
            << project("<colums/>") << 4 << u"unbekanntes Element <colums>"_s;
        QTest::newRow("unknown attribute") << project("<detail fnt=\"t\"/>") << 4
                                           << u"<detail> kennt das Attribut \"fnt\" nicht"_s;
        QTest::newRow("decimal comma")
            << project("\n<page left=\"12,5\"/>") << 5 << u"\"12,5\" ist keine Zahl"_s;
        QTest::newRow("font not described")
            << project("<detail font=\"zeilen\"/>") << 4 << u"die Schrift \"zeilen\""_s;
        QTest::newRow("columns wider than the page")
            << project("<page size=\"A5\" left=\"10\" right=\"10\"/>\n<columns>"
                       "<column field=\"B\" width=\"120\"/></columns>")
            << 7 << u"die Spalten sind zusammen 140 mm breit, zwischen den Rändern sind 128 mm"_s;
        QTest::newRow("unknown paper")
            << project("<page size=\"A44\"/>") << 4 << u"das Papierformat \"A44\" ist unbekannt"_s;
    }

    void faultyProjectFiles()
    {
        QFETCH(QByteArray, xml);
        QFETCH(int, line);
        QFETCH(QString, reason);
        const QString path = m_dir.filePath(u"Listen.xml"_s);
        writeFile(path, xml);
        const QString error = errorOf([&] { (void)readReportProject(path); });
        const QString prefix =
            u"Die Berichtsdatei \"%1\" ist fehlerhaft (Zeile %2, Spalte "_s.arg(path).arg(line);
        QVERIFY2(error.startsWith(prefix), qPrintable(error));
        QVERIFY2(error.contains(u"): "_s + reason), qPrintable(error));
    }

    void defaultProjectFitsTheConnection()
    {
        const ReportDefinition report = defaultReport();
        QCOMPARE(report.name, u"Report1"_s);
        QCOMPARE(report.connection, u"ReportConnection1"_s);
        QCOMPARE(ReportLayout(report).fields(),
                 (QStringList{u"KBNr"_s, u"Marke"_s, u"Pulver"_s, u"Hersteller"_s, u"Zusatz"_s,
                              u"TUEO"_s}));
        QString header;
        for (const ReportTextItem &item : report.pageHeader.texts)
            header += item.text;
        for (const QString &parameter :
             {u"{Norvenz}"_s, u"{Fassung}"_s, u"{Sortiert}"_s, u"{Gefiltert}"_s, u"{Filter}"_s})
            QVERIFY2(header.contains(parameter), qPrintable(parameter));
        QCOMPARE(report.pageSize.id(), QPageSize::A4);
        QCOMPARE(report.orientation, QPageLayout::Portrait);
    }

    // The project file is read at the first run and kept; a faulty one is read again.
    void projectIsReadOnceItIsValid()
    {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const auto back = qScopeGuard([&] { QDir::setCurrent(previous); });
        QByteArray xml = readFile(QStringLiteral(KB_REPORT_PROJECT));
        writeFile(u"Listen.xml"_s, xml.left(200));

        ReportConnection connection;
        connection.setObjectName(u"ReportConnection1"_s);
        connection.OnGetCols = [](ReportConnection &c) {
            for (const char *name : {"KBNr", "Marke", "Pulver", "Hersteller", "Zusatz", "TUEO"})
                c.addColumn(QString::fromLatin1(name), ReportConnection::FieldType::Text, 10);
        };
        ReportRenderPdf pdf;
        ReportSystem system;
        system.setPdfRenderer(&pdf);
        system.settings().destination = ReportDestination::File;
        system.settings().outputFile = dir.filePath(u"out.pdf"_s);
        ReportProject reports;
        reports.setFileName(u"Listen.xml"_s);
        reports.setReportSystem(&system);
        reports.addConnection(&connection);

        QVERIFY(errorOf([&] { reports.runReport(u"Report1"_s); }).contains(u"Zeile"_s));
        QVERIFY(!reports.isOpen());
        writeFile(u"Listen.xml"_s, xml);
        reports.runReport(u"Report1"_s);
        QVERIFY(QFile::exists(system.settings().outputFile));
        writeFile(u"Listen.xml"_s, "broken");
        QVERIFY(QFile::remove(system.settings().outputFile));
        reports.runReport(u"Report1"_s);
        QVERIFY(QFile::exists(system.settings().outputFile));
    }

    void lineBreaking_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fitting"); // the width is that of this text
        QTest::addColumn<int>("maxLines");
        // A last line "text*" is cut after at least that text and ends in "…".
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("fits exactly")
            << u"Fox EV 50"_s << u"Fox EV 50"_s << 3 << QStringList{u"Fox EV 50"_s};
        QTest::newRow("at a blank") << u"Fox EV 50 Spezial  lang"_s << u"Fox EV 50 Spezial"_s << 3
                                    << QStringList{u"Fox EV 50 Spezial"_s, u"lang"_s};
        QTest::newRow("after a hyphen")
            << u"UP-Pulver"_s << u"UP-Pul"_s << 2 << QStringList{u"UP-"_s, u"Pulver"_s};
        QTest::newRow("inside a long word")
            << u"Schweißdraht"_s << u"Schweiß"_s << 9 << QStringList{u"Schweiß"_s, u"draht"_s};
        QTest::newRow("cut with an ellipsis")
            << u"eins zwei drei"_s << u"eins zwei …"_s << 1 << QStringList{u"eins zwei…"_s};
        QTest::newRow("last line cut") << u"eins zwei drei vier fünf sechs"_s << u"eins zwei"_s << 2
                                       << QStringList{u"eins zwei"_s, u"drei*"_s};
    }

    void lineBreaking()
    {
        QFETCH(QString, text);
        QFETCH(QString, fitting);
        QFETCH(int, maxLines);
        QFETCH(QStringList, expected);
        const ReportFont font(defaultReport().fonts.value(u"zeilen"_s));
        const qreal width = font.width(fitting) + 0.01;
        const QList<ReportTextLine> lines = font.lines(text, width, maxLines);
        QStringList texts;
        for (const ReportTextLine &line : lines) {
            texts.append(line.text);
            QVERIFY(line.width <= width);
            QCOMPARE(line.glyphs.size(), line.text.size());
        }
        QCOMPARE(font.lineCount(text, width, maxLines), lines.size());
        QCOMPARE(texts.size(), expected.size());
        const QString last = expected.takeLast();
        if (last.endsWith(u'*')) {
            QVERIFY2(texts.last().endsWith(u'…'), qPrintable(texts.last()));
            QVERIFY2(texts.last().startsWith(last.chopped(1)), qPrintable(texts.last()));
        } else {
            QCOMPARE(texts.last(), last);
        }
        QCOMPARE(texts.mid(0, expected.size()), expected);
    }

    void pagination()
    {
        ReportDocument document(defaultReport(), {}, QDateTime::currentDateTime());
        const ReportLayout &layout = document.layout();
        ReportData data(6);
        const QString longBrand = u"Schweißdraht mit einem ganz besonders langen Markennamen"_s;
        for (int row = 0; row < 500; ++row) {
            data.append({QString::number(row), row % 7 == 3 ? longBrand : u"Fox"_s,
                         row % 11 == 5 ? longBrand : QString(), u"H"_s, u"Z"_s, u"T"_s});
        }
        document.setData(std::move(data));
        while (document.generateNextPage()) {
        }
        QVERIFY(document.isComplete());
        QVERIFY(document.pageCount() > 5);

        const qreal room = layout.rowsBottom() - layout.rowsTop();
        int next = 0;
        for (int index = 0; index < document.pageCount(); ++index) {
            const ReportDocument::Page &page = document.page(index);
            QCOMPARE(page.firstRow, next);
            qreal used = 0;
            for (int row = page.firstRow; row < page.endRow; ++row)
                used += layout.rowHeight(document.rowLines(row));
            QVERIFY(used <= room);
            if (page.endRow < 500) // the next row did not fit any more
                QVERIFY(used + layout.rowHeight(layout.rowLines(document.data(), page.endRow)) >
                        room);
            QCOMPARE(page.summary, index == document.pageCount() - 1);
            if (page.summary)
                QVERIFY(used + layout.summaryHeight() <= room || page.firstRow == page.endRow);
            next = page.endRow;
        }
        QCOMPARE(next, 500);
        QCOMPARE(document.rowLines(3), 2); // the long brand wraps onto a second line
        QCOMPARE(document.rowLines(4), 1);
    }

    void printOptions_data()
    {
        QTest::addColumn<ReportPrintOptions>("options");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("all") << ReportPrintOptions{} << QList<int>{1, 2, 3};
        QTest::newRow("range") << ReportPrintOptions{2, 3, 1, true} << QList<int>{2, 3};
        QTest::newRow("collated copies")
            << ReportPrintOptions{2, 0, 2, true} << QList<int>{2, 3, 2, 3};
        QTest::newRow("uncollated copies")
            << ReportPrintOptions{1, 2, 2, false} << QList<int>{1, 1, 2, 2};
        QTest::newRow("range beyond the end") << ReportPrintOptions{3, 9, 1, true} << QList<int>{3};
    }

    // Which pages go to the device, read back from a PDF file.
    void printOptions()
    {
        QFETCH(ReportPrintOptions, options);
        QFETCH(QList<int>, pages);
        // Three pages, whatever the layout: two full ones and one row.
        const auto documentOf = [](int rows) {
            auto document = std::make_unique<ReportDocument>(
                defaultReport(), QHash<QString, QString>(), QDateTime::currentDateTime());
            ReportData data(6);
            for (int row = 0; row < rows; ++row)
                data.append({QString::number(row)});
            document->setData(std::move(data));
            while (document->generateNextPage()) {
            }
            return document;
        };
        const int perPage = documentOf(1000)->page(0).endRow;
        const auto owned = documentOf(2 * perPage + 1);
        const ReportDocument &document = *owned;
        QCOMPARE(document.pageCount(), 3);
        const QString path = m_dir.filePath(u"options.pdf"_s);
        {
            QPdfWriter writer(path);
            writer.setPageLayout(document.layout().pageLayout());
            QVERIFY(paintReport(document, writer, options, {}));
        }
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {path, u"-"_s});
        QVERIFY(pdftotext.waitForFinished());
        static const QRegularExpression footer(uR"(Seite (\d+) von 3)"_s);
        QList<int> printed;
        for (const auto &match : footer.globalMatch(QString::fromUtf8(pdftotext.readAll())))
            printed.append(match.captured(1).toInt());
        QCOMPARE(printed, pages);
    }

    void emptyReportHasOnePage()
    {
        ReportDocument document(defaultReport(), {}, QDateTime::currentDateTime());
        QVERIFY(document.generateNextPage());
        QVERIFY(!document.generateNextPage());
        QCOMPARE(document.pageCount(), 1);
        QVERIFY(document.page(0).summary);
        QCOMPARE(document.expand(u"{RowCount} Kennblätter, Seite {Page} von {PageCount}{x"_s, 0),
                 u"0 Kennblätter, Seite 1 von 1{x"_s);
    }
};

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
