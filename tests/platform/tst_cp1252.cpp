#include "platform/cp1252.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCp1252 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Cp1252::toUnicode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(Cp1252::fromUnicode(text), all);
        QCOMPARE(Cp1252::fromUtf8(Cp1252::toUtf8(all)), all);
    }

    void knownCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("umlauts") << QByteArray("\xe4\xf6\xfc\xc4\xd6\xdc\xdf") << u"äöüÄÖÜß"_s;
        QTest::newRow("euro") << QByteArray("\x80") << u"€"_s;
        QTest::newRow("quotes and dashes") << QByteArray("\x84\x93\x96\x97") << u"„“–—"_s;
        QTest::newRow("latin extended") << QByteArray("\x8a\x9a\x9f\x83") << u"ŠšŸƒ"_s;
        QTest::newRow("undefined byte keeps its value") << QByteArray("\x81") << u"\u0081"_s;
        QTest::newRow("ascii") << QByteArray("KBNr 01234.05") << u"KBNr 01234.05"_s;
    }
    void knownCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Cp1252::toUnicode(bytes), text);
        QCOMPARE(Cp1252::fromUnicode(text), bytes);
    }

    void characterWithoutFormBecomesQuestionMark_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cyrillic") << u"Ж"_s << QByteArray("?");
        QTest::newRow("a with macron") << u"aĀb"_s << QByteArray("a?b");
        QTest::newRow("emoji is one character") << u"x😀y"_s << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    }
    void characterWithoutFormBecomesQuestionMark()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Cp1252::fromUnicode(text), bytes);
    }

    void utf8Edges()
    {
        QCOMPARE(Cp1252::fromUtf8("Schwei\xc3\x9f"
                                  "draht \xe2\x82\xac"),
                 QByteArray("Schwei\xdf"
                            "draht \x80"));
        QCOMPARE(Cp1252::toUtf8("Schwei\xdf"), QByteArray("Schwei\xc3\x9f"));
        QVERIFY(Cp1252::fromUtf8("").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
