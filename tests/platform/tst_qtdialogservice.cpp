// The program's message boxes as Qt shows them: in front of a window that stays on top (the
// splash while the program starts), and unharmed when that window goes while a box is open.
#include "platform/qtdialogservice.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

class TestQtDialogService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The splash closes on its timer while a box is open (a print command given during the
    // start): the box stays open until it is answered.
    void boxOutlivesTheWindowOnTopGoing()
    {
        QtDialogService dialogs(u"Norvenz SZW Kennblätter"_s);
        auto *splash = new QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint);
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        const QPointer<QWidget> splashAlive(splash);

        QPointer<QMessageBox> box;
        bool onTop = false;
        bool transientForSplash = false;
        bool openAfterSplashWent = false;
        QTimer::singleShot(100, this, [&] {
            box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            transientForSplash = box->windowHandle()->transientParent() == splash->windowHandle();
            splash->close();
            splash->deleteLater();
        });
        QTimer::singleShot(400, this, [&] {
            openAfterSplashWent = !splashAlive && box && box->isVisible();
            if (box)
                box->accept();
            else // gone with the splash: nothing is left to end the box's event loop
                QCoreApplication::exit(1);
        });

        QCOMPARE(dialogs.confirm(u"Sie haben 30 Kennblätter zum Druck ausgewählt."_s), false);
        QVERIFY(onTop);
        QVERIFY(transientForSplash);
        QVERIFY(openAfterSplashWent);
    }
};

QTEST_MAIN(TestQtDialogService)
#include "tst_qtdialogservice.moc"
