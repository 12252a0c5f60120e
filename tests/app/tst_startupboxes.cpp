// Under a real X server with a window manager: a box shown while the program starts opens in
// front of the splash window, which stays on top of every other window, and takes the focus.
// Run by run-with-window-manager.sh; the stacking is read from the window manager.
#include "app/untfrmsplash.h"
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "documents/pdfview.h"
#include "platform/qtdialogservice.h"
#include "testfiles.h"
#include "windowmanagerstate.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestStartupBoxes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE); }

    void aMissingDatabaseIsReportedInFrontOfTheSplash()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath(u"kennblaetter.INI"_s);
        writeFile(settings, "[Einstellungen]\r\nPfadZuMDEDatei=" + dir.path().toUtf8() + "/\r\n");
        QtDialogService dialogs(u"Norvenz SZW Kennblätter"_s);
        TKennblattListe catalogue;

        quint64 box = 0;
        quint64 splash = 0;
        QList<quint64> stacking;
        QList<quint64> active;
        QTimer probe;
        probe.setInterval(200);
        connect(&probe, &QTimer::timeout, this, [&] {
            auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            const TfrmSplash *splashWindow = nullptr;
            for (const QWidget *w : QApplication::topLevelWidgets())
                splashWindow = splashWindow ? splashWindow : qobject_cast<const TfrmSplash *>(w);
            if (!shown || !shown->isVisible() || !splashWindow)
                return;
            box = shown->winId();
            splash = splashWindow->winId();
            active = rootWindowIds("_NET_ACTIVE_WINDOW");
            stacking = rootWindowIds("_NET_CLIENT_LIST_STACKING");
            // The window manager may not have got there yet: ask again, up to the time limit.
            if (!active.contains(box) || stacking.indexOf(box) < stacking.indexOf(splash))
                return;
            probe.stop();
            shown->accept();
        });
        probe.start();
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, this, [] {
            if (auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                shown->accept();
        });
        // Generous: on a loaded machine the window manager can take seconds to restack.
        giveUp.start(30000);

        TfrmMain window(dialogs, catalogue, settings);
        QVERIFY(box != 0 && splash != 0);
        QVERIFY2(active.contains(box), "the box is not the active window");
        QVERIFY(stacking.contains(splash));
        QVERIFY(stacking.indexOf(box) > stacking.indexOf(splash)); // bottom to top
    }
};

QTEST_MAIN(TestStartupBoxes)
#include "tst_startupboxes.moc"
