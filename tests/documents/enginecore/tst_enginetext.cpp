// The text of a PDF file page by page, as the full-text search reads it through the engine's
// entry point: texts with umlauts in page order, on several threads at once, the answers for
// files that cannot be read, and a stop half-way.
#include "documents/engine/core/enginetext.h"
#include "testpdfs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

namespace {

struct Reading
{
    QList<int> pages;
    QStringList texts;
    std::atomic_bool *stopAfterFirst = nullptr;
};

void collect(void *context, int pageIndex, const char16_t *text, qsizetype length)
{
    auto *reading = static_cast<Reading *>(context);
    reading->pages.append(pageIndex);
    reading->texts.append(QString(reinterpret_cast<const QChar *>(text), length));
    if (reading->stopAfterFirst != nullptr)
        reading->stopAfterFirst->store(true);
}

} // namespace

class TestEngineText : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    QString file(const QString &name) const { return m_folder.filePath(name); }

    qint32 extract(const QString &path, Reading &reading, const std::atomic_bool *cancel = nullptr)
    {
        return extractDocumentText(QFile::encodeName(path).constData(), collect, &reading, cancel);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(TestPdfs::writeLinesPdf(
            file(u"kennblatt.pdf"_s),
            {u"Schweißzusatz für Feinkornbaustähle\nGrundwerkstoff S355"_s,
             u"Schutzgas M21\nGeltungsbereich: Überprüfung jährlich"_s, u"Seite drei"_s}));
        QVERIFY(TestPdfs::writeUnshowablePdfs(m_folder.path()));
    }

    void pagesInOrder()
    {
        Reading reading;
        QCOMPARE(extract(file(u"kennblatt.pdf"_s), reading), 3);
        QCOMPARE(reading.pages, (QList<int>{0, 1, 2}));
        // Lines end in "\n" and the font's ligatures come as such ("ﬀ"); the search folds
        // both.
        const auto words = [](const QString &text) {
            return text.normalized(QString::NormalizationForm_KC).simplified();
        };
        QCOMPARE(words(reading.texts.at(0)),
                 u"Schweißzusatz für Feinkornbaustähle Grundwerkstoff S355"_s);
        QCOMPARE(words(reading.texts.at(1)),
                 u"Schutzgas M21 Geltungsbereich: Überprüfung jährlich"_s);
        QCOMPARE(words(reading.texts.at(2)), u"Seite drei"_s);
    }

    // The search reads on several threads at once; each call opens the file for itself.
    void fromSeveralThreadsAtOnce()
    {
        Reading first;
        QCOMPARE(extract(file(u"kennblatt.pdf"_s), first), 3);
        Reading readings[4];
        qint32 answers[4] = {};
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i)
            threads.emplace_back(
                [&, i] { answers[i] = extract(file(u"kennblatt.pdf"_s), readings[i]); });
        for (std::thread &thread : threads)
            thread.join();
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(answers[i], 3);
            QCOMPARE(readings[i].texts, first.texts);
        }
    }

    void filesWithoutText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint32>("answer");
        QTest::newRow("missing") << u"fehlt.pdf"_s << qint32(ExtractMissing);
        QTest::newRow("a folder") << QString() << qint32(ExtractMissing);
        QTest::newRow("empty") << u"leer.pdf"_s << qint32(ExtractEmpty);
        QTest::newRow("not a PDF") << u"text.pdf"_s << qint32(ExtractDamaged);
        QTest::newRow("no pages") << u"ohne Seiten.pdf"_s << qint32(0);
    }
    void filesWithoutText()
    {
        QFETCH(QString, name);
        QFETCH(qint32, answer);
        Reading reading;
        QCOMPARE(extract(file(name), reading), answer);
        QCOMPARE(reading.pages, QList<int>());
    }

    void aProtectedFileIsLocked()
    {
        if (!TestPdfs::encryptWithQpdf(file(u"kennblatt.pdf"_s), file(u"geschützt.pdf"_s),
                                       u"Schweißnaht"_s))
            QSKIP("qpdf is not installed");
        Reading reading;
        QCOMPARE(extract(file(u"geschützt.pdf"_s), reading), qint32(ExtractLocked));
        QCOMPARE(reading.pages, QList<int>());
    }

    void withoutPathOrCallback()
    {
        Reading reading;
        QCOMPARE(extractDocumentText(nullptr, collect, &reading, nullptr), qint32(ExtractMissing));
        const QByteArray path = QFile::encodeName(file(u"kennblatt.pdf"_s));
        QCOMPARE(extractDocumentText(path.constData(), nullptr, &reading, nullptr),
                 qint32(ExtractMissing));
    }

    void stopped_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("before the first page") << true << QList<int>();
        QTest::newRow("after the first page") << false << QList<int>{0};
    }
    void stopped()
    {
        QFETCH(bool, before);
        QFETCH(QList<int>, pages);
        std::atomic_bool cancel = before;
        Reading reading;
        reading.stopAfterFirst = &cancel;
        QCOMPARE(extract(file(u"kennblatt.pdf"_s), reading, &cancel), qint32(ExtractCancelled));
        QCOMPARE(reading.pages, pages);
    }
};

QTEST_MAIN(TestEngineText)
#include "tst_enginetext.moc"
