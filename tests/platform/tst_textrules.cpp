#include "platform/textrules.h"

#include <QTest>

class TestTextRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trimming_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("trimmed");
        QTest::newRow("blanks") << QByteArray("  fox  ") << QByteArray("fox");
        QTest::newRow("control characters") << QByteArray("\t\r\n\x01"
                                                          "a b\x1f\x20")
                                            << QByteArray("a b");
        QTest::newRow("NUL is trimmed") << QByteArray("\0x\0", 3) << QByteArray("x");
        QTest::newRow("only blanks") << QByteArray(" \t ") << QByteArray();
        QTest::newRow("non-breaking space stays")
            << QByteArray("\xa0x\xa0") << QByteArray("\xa0x\xa0");
        QTest::newRow("DEL stays") << QByteArray("\x7fx") << QByteArray("\x7fx");
    }
    void trimming()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, trimmed);
        QCOMPARE(TextRules::trimmed(text).toByteArray(), trimmed);
    }

    void upperCasingTouchesAsciiLettersOnly()
    {
        QCOMPARE(TextRules::upperAscii("abc xyz {}`@ 09"), QByteArray("ABC XYZ {}`@ 09"));
        // ä ö ü ß é stay as they are.
        QCOMPARE(TextRules::upperAscii("\xe4\xf6\xfc\xdf\xe9"), QByteArray("\xe4\xf6\xfc\xdf\xe9"));
    }

    void comparison_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("upper");
        QTest::newRow("equal") << QByteArray("abc") << QByteArray("abc") << 0;
        QTest::newRow("case differs") << QByteArray("abc") << QByteArray("ABC") << 0;
        QTest::newRow("prefix is smaller") << QByteArray("ab") << QByteArray("abc") << -1;
        QTest::newRow("empty is smallest") << QByteArray() << QByteArray("a") << -1;
        QTest::newRow("bytes are unsigned") << QByteArray("\xc4") << QByteArray("Z") << 1;
        QTest::newRow("umlaut after all letters") << QByteArray("\xe4") << QByteArray("z") << 1;
        QTest::newRow("umlauts keep their case") << QByteArray("\xe4") << QByteArray("\xc4") << 1;
        QTest::newRow("key 10 before 9") << QByteArray("10") << QByteArray("9") << -1;
        QTest::newRow("underscore after upper-cased letters")
            << QByteArray("_") << QByteArray("a") << 1;
    }
    void comparison()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, upper);
        QCOMPARE(TextRules::compareUpperAscii(a, b), upper);
        QCOMPARE(TextRules::compareUpperAscii(b, a), -upper);
        QCOMPARE(TextRules::equalsUpper(a, b), upper == 0);
        // The same rule on Unicode texts (Latin-1 covers these bytes).
        QCOMPARE(TextRules::equalsUpper(QString::fromLatin1(a), QString::fromLatin1(b)),
                 upper == 0);
    }

    void searching()
    {
        QVERIFY(TextRules::startsWithUpper("fox 2", "FOX"));
        QVERIFY(!TextRules::startsWithUpper("fo", "FOX"));
        QVERIFY(TextRules::containsUpper("Fox 2", "OX"));
        QVERIFY(TextRules::containsUpper("aaab", "AAB"));
        QVERIFY(TextRules::containsUpper("xyz", "XYZ"));
        QVERIFY(!TextRules::containsUpper("xyz", "XYZZ"));
        QVERIFY(!TextRules::containsUpper("xyz", ""));
        QVERIFY(!TextRules::containsUpper("", ""));
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
