// Under a real X server with a window manager: a box shown while the program starts opens in
// front of the splash window, which stays on top of every other window, and takes the focus.
// Run by run-with-window-manager.sh; the stacking is read from the window manager.
#include "app/untfrmsplash.h"
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "documents/pdfview.h"
#include "platform/qtdialogservice.h"
#include "testfiles.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The window ids of a root window property of the window manager.
QList<quint64> rootWindows(const char *property)
{
    QProcess xprop;
    xprop.start(u"xprop"_s, {u"-root"_s, QString::fromLatin1(property)});
    xprop.waitForFinished(5000);
    QList<quint64> ids;
    const QString text = QString::fromLatin1(xprop.readAllStandardOutput());
    for (const QRegularExpressionMatch &m : QRegularExpression(u"0x[0-9a-f]+"_s).globalMatch(text))
        ids.append(m.captured().toULongLong(nullptr, 16));
    return ids;
}

} // namespace

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
            active = rootWindows("_NET_ACTIVE_WINDOW");
            stacking = rootWindows("_NET_CLIENT_LIST_STACKING");
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
        giveUp.start(10000);

        TfrmMain window(dialogs, catalogue, settings);
        QVERIFY(box != 0 && splash != 0);
        QVERIFY2(active.contains(box), "the box is not the active window");
        QVERIFY(stacking.contains(splash));
        QVERIFY(stacking.indexOf(box) > stacking.indexOf(splash)); // bottom to top
    }
};

QTEST_MAIN(TestStartupBoxes)
#include "tst_startupboxes.moc"
