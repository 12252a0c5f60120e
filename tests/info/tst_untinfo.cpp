#include "info/infocommands.h"
#include "info/untinfo.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QString textOf(const QWidget &form, const QString &label)
{
    const auto *widget = form.findChild<QLabel *>(label);
    return widget ? widget->text() : u"no "_s + label;
}

} // namespace

class TestUntInfo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formShowTexts_data()
    {
        QTest::addColumn<QByteArray>("edition");
        QTest::addColumn<QString>("line");
        QTest::newRow("edition") << QByteArray("2026.2") << u"Datenbank 2026.2"_s;
        QTest::newRow("Windows-1252")
            << QByteArray("Fr\xfchjahr 2026") << u"Datenbank Frühjahr 2026"_s;
        QTest::newRow("none") << QByteArray() << u"Datenbank "_s;
    }

    // This executable's record holds the file version 1.0.0.0.
    void formShowTexts()
    {
        QFETCH(QByteArray, edition);
        QFETCH(QString, line);
        TfrmInfo form(edition, nullptr);
        form.show();
        QCOMPARE(textOf(form, u"StaticText1"_s), u"Norvenz-Kennblätter, Version 1.0.0 Build 0"_s);
        QCOMPARE(textOf(form, u"StaticText2"_s), line);
    }

    // Keys pressed on the form itself or on the focused button, which may be held down with
    // the space bar (then it would take Escape itself, but the form sees it first).
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("onButton");
        QTest::addColumn<bool>("buttonHeld");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape on the form") << int(Qt::Key_Escape) << false << false << true;
        QTest::newRow("Escape on the button") << int(Qt::Key_Escape) << true << false << true;
        QTest::newRow("Escape on the held button") << int(Qt::Key_Escape) << true << true << true;
        QTest::newRow("Enter on the form") << int(Qt::Key_Return) << false << false << true;
        QTest::newRow("Enter on the button") << int(Qt::Key_Enter) << true << false << true;
        QTest::newRow("a letter") << int(Qt::Key_X) << true << false << false;
        QTest::newRow("F1 on the form") << int(Qt::Key_F1) << false << false << false;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, onButton);
        QFETCH(bool, buttonHeld);
        QFETCH(bool, closes);
        TfrmInfo form({}, nullptr);
        form.show();
        auto *button = form.findChild<QPushButton *>(u"btnOk"_s);
        QVERIFY(button);
        if (buttonHeld) {
            QTest::keyPress(button, Qt::Key_Space);
            QVERIFY(button->isDown());
        }
        QTest::keyClick(onButton ? static_cast<QWidget *>(button) : &form, Qt::Key(key));
        QCOMPARE(form.isVisible(), !closes);
    }

    void commandsOpenAFreshDialog_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("mnuInfoClick") << true;
        QTest::newRow("btnInfoClick") << false;
    }

    // Modal, with the edition, and the hidden help button's request passed on; released once
    // the event that opened it has been handled.
    void commandsOpenAFreshDialog()
    {
        QFETCH(bool, fromMenu);
        QWidget owner;
        auto *commands = new InfoCommands(&owner);
        commands->setEdition("2026.2");
        QSignalSpy help(commands, &InfoCommands::helpRequested);
        QString shown;
        bool modal = false;
        bool helpHidden = false;
        QTimer::singleShot(0, &owner, [&] {
            const QList<TfrmInfo *> forms = owner.findChildren<TfrmInfo *>();
            if (forms.size() == 1) {
                shown = textOf(*forms[0], u"StaticText2"_s);
                modal = QApplication::activeModalWidget() == forms[0];
                auto *button = forms[0]->findChild<QPushButton *>(u"btnHelp"_s);
                helpHidden = !button->isVisible();
                button->click();
            }
            for (TfrmInfo *form : forms)
                form->close();
        });
        if (fromMenu)
            commands->mnuInfoClick();
        else
            commands->btnInfoClick();
        QCOMPARE(shown, u"Datenbank 2026.2"_s);
        QVERIFY(modal);
        QVERIFY(helpHidden);
        QCOMPARE(help.count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(owner.findChildren<TfrmInfo *>().isEmpty());
    }
};

QTEST_MAIN(TestUntInfo)
#include "tst_untinfo.moc"
