#include "platform/dialogservice.h"
#include "scripteddialogservice.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Icon = MessageBoxSpec::Icon;
using Buttons = MessageBoxSpec::Buttons;

class TestDialogService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullStopRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain text")
            << u"Fehler bei Bereichsprüfung"_s << u"Fehler bei Bereichsprüfung."_s;
        QTest::newRow("full stop kept") << u"Nummer im falschen Format übergeben."_s
                                        << u"Nummer im falschen Format übergeben."_s;
        QTest::newRow("exclamation mark") << u"Achtung!"_s << u"Achtung!"_s;
        QTest::newRow("closing parenthesis") << u"(kaputt)"_s << u"(kaputt)"_s;
        QTest::newRow("trailing blank") << u"Text "_s << u"Text "_s;
        QTest::newRow("slash is above the full stop") << u"a/"_s << u"a/."_s;
        QTest::newRow("umlaut at the end") << u"Schlüssel ä"_s << u"Schlüssel ä."_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void fullStopRule()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(withFullStop(text), shown);
    }

    void boxesCarryTheirCaptionsIconsAndButtons()
    {
        ScriptedDialogService dialogs(u"Titel"_s);
        dialogs.information(u"i"_s);
        dialogs.warning(u"w"_s);
        dialogs.error(u"e"_s);
        dialogs.plain(u"p"_s);
        dialogs.applicationError(u"a"_s);
        const QList<MessageBoxSpec> expected = {
            {u"Informationen"_s, Icon::Information, Buttons::Ok, u"i"_s},
            {u"Warnung"_s, Icon::Warning, Buttons::Ok, u"w"_s},
            {u"Fehler"_s, Icon::Error, Buttons::Ok, u"e"_s},
            {u"Titel"_s, Icon::None, Buttons::Ok, u"p"_s},
            {u"Titel"_s, Icon::Error, Buttons::Ok, u"a."_s},
        };
        QCOMPARE(dialogs.shown(), expected);
    }

    void confirmationGivesTheChosenAnswer()
    {
        ScriptedDialogService dialogs;
        dialogs.queueAnswer(DialogAnswer::No);
        dialogs.queueAnswer(DialogAnswer::Yes);
        QVERIFY(!dialogs.confirm(u"Wirklich?"_s));
        QVERIFY(dialogs.confirm(u"Wirklich?"_s));
        QCOMPARE(dialogs.shown().size(), 2);
        QCOMPARE(dialogs.shown().first().caption, u"Bestätigen"_s);
        QCOMPARE(dialogs.shown().first().buttons, Buttons::YesNo);
        QCOMPARE(dialogs.shown().first().icon, Icon::Question);
    }
};

QTEST_GUILESS_MAIN(TestDialogService)
#include "tst_dialogservice.moc"
