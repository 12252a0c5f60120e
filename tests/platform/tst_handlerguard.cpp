#include "platform/handlerguard.h"
#include "scripteddialogservice.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

class TestHandlerGuard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void errorsBecomeTheApplicationErrorBox()
    {
        ScriptedDialogService dialogs;
        bool after = false;
        runHandler(dialogs, [&] {
            throw AppError(u"Fehler bei Bereichsprüfung"_s);
            after = true;
        });
        runHandler(dialogs, [] { throw std::runtime_error("kaputt!"); });
        runHandler(dialogs, [] { throw std::bad_alloc(); });
        runHandler(dialogs, [&] { after = true; });
        QVERIFY(after);
        QCOMPARE(dialogs.shown().size(), 3);
        QCOMPARE(dialogs.shown()[0].text, u"Fehler bei Bereichsprüfung."_s);
        QCOMPARE(dialogs.shown()[0].caption, u"Norvenz SZW Kennblätter"_s);
        QCOMPARE(dialogs.shown()[0].icon, MessageBoxSpec::Icon::Error);
        QCOMPARE(dialogs.shown()[1].text, u"kaputt!"_s);
        QCOMPARE(dialogs.shown()[2].text, u"Nicht genügend Arbeitsspeicher."_s);
    }
};

QTEST_GUILESS_MAIN(TestHandlerGuard)
#include "tst_handlerguard.moc"
