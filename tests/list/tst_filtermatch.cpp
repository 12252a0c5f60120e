#include "catalogue/tkennblatt.h"
#include "list/filtermatch.h"

#include <QTest>

Q_DECLARE_METATYPE(FilterMode)

namespace {

TKennblatt sheet(QByteArrayView nummer, QByteArray marke, QByteArray pulver, QByteArray hersteller,
                 QByteArray zusatz, QByteArray tueo, quint8 flag)
{
    TKennblatt k;
    k.SetNummer(nummer);
    k.Marke = std::move(marke);
    k.Pulvermarke = std::move(pulver);
    k.HerstLiefSchl = std::move(hersteller);
    k.ZusatzSchl = std::move(zusatz);
    k.InfoGeberSchl = std::move(tueo);
    k.AenderungsFlag = flag;
    return k;
}

void addRow(const char *name, FilterMode mode, QByteArray filter, QByteArray value, bool passes)
{
    QTest::newRow(name) << mode << filter << value << passes;
}

} // namespace

class TestFilterMatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modeFromSetting()
    {
        QCOMPARE(filterModeFromSetting(1), FilterMode::Substring);
        QCOMPARE(filterModeFromSetting(0), FilterMode::Prefix);
        QCOMPARE(filterModeFromSetting(2), FilterMode::Prefix);
        QCOMPARE(filterModeFromSetting(-1), FilterMode::Prefix);
    }

    void matchFilterText_data()
    {
        QTest::addColumn<FilterMode>("mode");
        QTest::addColumn<QByteArray>("filter");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("passes");
        const auto P = FilterMode::Prefix;
        const auto S = FilterMode::Substring;
        const QByteArray nr("01234.05");

        addRow("prefix: 012", P, "012", nr, true);
        addRow("prefix: 1234 (number begins with 0)", P, "1234", nr, false);
        addRow("prefix: whole number", P, "01234.05", nr, true);
        addRow("prefix: longer than value", P, "01234.056", nr, false);
        addRow("prefix: star before", P, "*1234", nr, true);
        addRow("prefix: star after", P, "1234*", nr, true);
        addRow("prefix: star inside joins both sides", P, "12*05", nr, false);
        addRow("prefix: star inside, joined text present", P, "34*.0", nr, true);
        addRow("prefix: star alone", P, "*", nr, false);
        addRow("prefix: percent alone", P, "%", nr, false);
        addRow("prefix: blanks only", P, "   ", nr, true);
        addRow("prefix: empty", P, "", nr, true);
        addRow("prefix: second star is literal", P, "*1*", nr, false);
        addRow("prefix: second star is literal, present", P, "*1*", "x1*y", true);
        addRow("prefix: percent before star keeps the star as percent", P, "%a*", "xa%y", true);
        addRow("prefix: percent before star, no percent in value", P, "%a*", "xa*y", false);
        addRow("prefix: blank after removed star stays", P, "* fox", "Fox 2", false);
        addRow("prefix: blank after removed star, present", P, "* fox", "Old fox", true);
        addRow("prefix: trimmed filter", P, "  fox ", "Fox 2", true);

        addRow("substring: 1234", S, "1234", nr, true);
        addRow("substring: star alone", S, "*", nr, true);
        addRow("substring: star inside", S, "12*05", nr, false);
        addRow("substring: star and percent", S, "*%", nr, true);
        addRow("substring: blank after star trimmed", S, "* fox", "Fox 2", true);
        addRow("substring: second star is literal", S, "**", nr, false);
        addRow("substring: not found", S, "99", nr, false);

        addRow("fox in prefix mode", P, "fox", "Fox 2", true);
        addRow("fox in substring mode", S, "fox", "Fox 2", true);
        addRow("ox in prefix mode", P, "ox", "Fox 2", false);
        addRow("ox in substring mode", S, "ox", "Fox 2", true);
        addRow("%ox in prefix mode", P, "%ox", "Fox 2", true);
        addRow("umlaut not folded (prefix)", P, "\xf6", "\xd6lfilter", false);
        addRow("umlaut not folded (substring)", S, "\xf6", "\xd6lfilter", false);
        addRow("umlaut same case", P, "\xd6l", "\xd6lfilter", true);
        addRow("Alle (prefix)", P, "Alle", "x", true);
        addRow("Alle (substring)", S, "Alle", "x", true);
        addRow("alle is a filter text", P, "alle", "x", false);
        addRow("alle is a filter text, found", P, "alle", "Allerlei", true);
        addRow("Alle with blank is a filter text", P, "Alle ", "x", false);
        addRow("empty value never matches a prefix", P, "a", "", false);
        addRow("empty value passes no filter", P, "", "", true);
    }
    void matchFilterText()
    {
        QFETCH(FilterMode, mode);
        QFETCH(QByteArray, filter);
        QFETCH(QByteArray, value);
        QFETCH(bool, passes);
        QCOMPARE(MatchFilterText(filter, value, mode), passes);
    }

    void keyFilters_data()
    {
        QTest::addColumn<QByteArray>("filter");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<bool>("passes");
        QTest::newRow("upper key") << QByteArray("abc") << QByteArray("ABC") << true;
        QTest::newRow("same key") << QByteArray("abc") << QByteArray("abc") << true;
        QTest::newRow("key with blanks") << QByteArray("abc") << QByteArray(" abc  ") << true;
        QTest::newRow("filter with blanks") << QByteArray(" ABC ") << QByteArray("abc") << true;
        QTest::newRow("longer key") << QByteArray("abc") << QByteArray("abcd") << false;
        QTest::newRow("shorter key") << QByteArray("abc") << QByteArray("ab") << false;
        QTest::newRow("no wildcards") << QByteArray("a*") << QByteArray("abc") << false;
        QTest::newRow("star is a character") << QByteArray("a*") << QByteArray("A*") << true;
        QTest::newRow("Alle") << QByteArray("Alle") << QByteArray("xyz") << true;
        QTest::newRow("Alle trimmed") << QByteArray(" Alle ") << QByteArray("xyz") << true;
        QTest::newRow("alle is a key") << QByteArray("alle") << QByteArray("xyz") << false;
        QTest::newRow("blank filter") << QByteArray("  ") << QByteArray("xyz") << true;
        QTest::newRow("umlaut not folded") << QByteArray("\xe4") << QByteArray("\xc4") << false;
    }
    void keyFilters()
    {
        QFETCH(QByteArray, filter);
        QFETCH(QByteArray, key);
        QFETCH(bool, passes);
        const TKennblatt k = sheet("1.1", "M", "P", key, key, key, 1);
        for (auto mode : {FilterMode::Prefix, FilterMode::Substring}) {
            QCOMPARE(KennblattMatches(k, "", "", "", filter, "", "", 0, mode), passes);
            QCOMPARE(KennblattMatches(k, "", "", "", "", filter, "", 0, mode), passes);
            QCOMPARE(KennblattMatches(k, "", "", "", "", "", filter, 0, mode), passes);
        }
    }

    void changeFlag()
    {
        const TKennblatt changed = sheet("1.1", "M", "", "H", "Z", "T", 2);
        const TKennblatt unchanged = sheet("1.2", "M", "", "H", "Z", "T", 1);
        const auto P = FilterMode::Prefix;
        QVERIFY(KennblattMatches(changed, "", "", "", "", "", "", 0, P));
        QVERIFY(KennblattMatches(unchanged, "", "", "", "", "", "", 0, P));
        QVERIFY(KennblattMatches(changed, "", "", "", "", "", "", 2, P));
        QVERIFY(!KennblattMatches(unchanged, "", "", "", "", "", "", 2, P));
        QVERIFY(!KennblattMatches(changed, "", "", "", "", "", "", 1, P));
        QVERIFY(KennblattMatches(unchanged, "", "", "", "", "", "", 1, P));
    }

    void everyFilterTakesItsOwnField()
    {
        const TKennblatt k = sheet("1234.5", "Fox 2", "Flux 10", "H1", "Z1", "T1", 2);
        const auto P = FilterMode::Prefix;
        QVERIFY(KennblattMatches(k, "01234", "fox", "flux", "h1", "z1", "t1", 2, P));
        // The number filter reads the normalised text, not the stored "1234.5".
        QVERIFY(!KennblattMatches(k, "1234", "", "", "", "", "", 0, P));
        QVERIFY(!KennblattMatches(k, "", "flux", "", "", "", "", 0, P));
        QVERIFY(!KennblattMatches(k, "", "", "fox", "", "", "", 0, P));
        QVERIFY(!KennblattMatches(k, "", "", "", "z1", "", "", 0, P));
        QVERIFY(!KennblattMatches(k, "", "", "", "", "t1", "", 0, P));
        QVERIFY(!KennblattMatches(k, "", "", "", "", "", "h1", 0, P));
        QVERIFY(!KennblattMatches(k, "01234", "fox", "flux", "h1", "z1", "t1", 1, P));
    }
};

QTEST_GUILESS_MAIN(TestFilterMatch)
#include "tst_filtermatch.moc"
