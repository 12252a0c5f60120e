// Under a real X server with a window manager: the document window, the search window and the
// print status window belong to the main window. They stay above it when the user clicks into
// the maximised main window, the search window opens beside the document window, nothing stays
// above other programs, and a dialog opened while "Druck-Status" is shown opens above it. Run by
// run-with-window-manager.sh; the stacking is read from the window manager.
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "cataloguefixture.h"
#include "documents/documentcommands.h"
#include "documents/pdfview.h"
#include "documents/untpdffenster.h"
#include "platform/qtdialogservice.h"
#include "printing/printcommands.h"
#include "printing/printerdialogs.h"
#include "printing/untdruckstatus.h"
#include "scripteddialogservice.h"
#include "search/searchwindow.h"
#include "testpdfs.h"
#include "windowmanagerstate.h"

#include <QAction>
#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegion>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromLatin1(process.readAllStandardOutput());
}

// Whether `upper` lies above `lower` in the window manager's stacking (bottom to top).
bool above(const QWidget &upper, const QWidget &lower)
{
    const QList<quint64> stacking = rootWindowIds("_NET_CLIENT_LIST_STACKING");
    const qsizetype u = stacking.indexOf(upper.winId());
    const qsizetype l = stacking.indexOf(lower.winId());
    return u >= 0 && l >= 0 && u > l;
}

bool isActive(const QWidget &window)
{
    return rootWindowIds("_NET_ACTIVE_WINDOW").contains(window.winId());
}

// A click with the real pointer, as the window manager sees it.
void clickAt(QPoint global)
{
    run(u"xdotool"_s, {u"mousemove"_s, u"--sync"_s, QString::number(global.x()),
                       QString::number(global.y()), u"click"_s, u"1"_s});
}

} // namespace

class TestWindowOrder : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedDialogService m_dialogs;
    TKennblattListe m_catalogue;
    std::unique_ptr<TfrmMain> m_window;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CACHE_HOME", m_dir.filePath(u"cache"_s).toUtf8());
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        QVERIFY(writeFixtureCatalogue(m_dir.path(), FixtureCatalogue::sample()));
        QVERIFY(TestPdfs::writeTextPdf(m_dir.filePath(u"01234_05.pdf"_s), {u"Kennblatt"_s}));
        const QString settings = m_dir.filePath(u"kennblaetter.INI"_s);
        writeFixtureSettings(settings, m_dir.path(), "TimerSplash=1\r\n");
        m_window = std::make_unique<TfrmMain>(m_dialogs, m_catalogue, settings);
        m_window->show();
        QTRY_VERIFY_WITH_TIMEOUT(m_window->isMaximized(), 10000);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanupTestCase() { m_window.reset(); }

    void ownedWindowsStayAboveTheMainWindow()
    {
        m_window->documents().ShowPdfFile(m_dir.filePath(u"01234_05.pdf"_s));
        TfrmPDFFenster *document = m_window->documents().frmPDFFenster();
        QVERIFY(document != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(document));
        m_window->findChild<QAction *>(u"mnuVolltextsuche"_s)->trigger();
        auto *search = m_window->findChild<SearchWindow *>();
        QVERIFY(search != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(search));
        // Beside, not over, the document window (the screen has room for both).
        QTRY_VERIFY_WITH_TIMEOUT(!search->frameGeometry().intersects(document->frameGeometry()),
                                 5000);

        // A click into the main window where neither covers it activates the main window...
        QRect spot;
        for (const QRect &r : QRegion(m_window->geometry().adjusted(20, 200, -20, -20))
                                  .subtracted(document->frameGeometry())
                                  .subtracted(search->frameGeometry())) {
            if (r.width() * r.height() > spot.width() * spot.height())
                spot = r;
        }
        QVERIFY(!spot.isEmpty());
        clickAt(spot.center());
        QTRY_VERIFY_WITH_TIMEOUT(isActive(*m_window), 5000);
        // ...and both stay in front of it.
        QVERIFY(above(*document, *m_window));
        QVERIFY(above(*search, *m_window));
    }

    void nothingStaysAboveOtherPrograms()
    {
        TfrmDruckStatus *status = m_window->printing().druckStatus();
        QVERIFY(status != nullptr);
        status->show();
        QVERIFY(QTest::qWaitForWindowExposed(status));
        QTRY_VERIFY_WITH_TIMEOUT(above(*status, *m_window), 5000);
        for (QWidget *owned : {static_cast<QWidget *>(status),
                               static_cast<QWidget *>(m_window->documents().frmPDFFenster())}) {
            const QString state =
                run(u"xprop"_s, {u"-id"_s, QString::number(owned->winId()), u"_NET_WM_STATE"_s});
            QVERIFY2(!state.contains(u"_NET_WM_STATE_ABOVE"_s), qPrintable(state));
        }
        // A window of another program comes in front of the status window.
        QProcess other;
        other.start(u"xmessage"_s, {u"-name"_s, u"anderes"_s, u"Ein anderes Programm"_s});
        if (!other.waitForStarted(5000))
            QSKIP("xmessage (x11-utils) is not installed");
        QList<quint64> before = rootWindowIds("_NET_CLIENT_LIST_STACKING");
        QTRY_VERIFY_WITH_TIMEOUT(rootWindowIds("_NET_CLIENT_LIST_STACKING").size() > before.size(),
                                 5000);
        const QList<quint64> stacking = rootWindowIds("_NET_CLIENT_LIST_STACKING");
        QVERIFY(stacking.last() != status->winId());
        QVERIFY(stacking.indexOf(status->winId()) < stacking.size() - 1);
        other.kill();
        other.waitForFinished(5000);
    }

    void dialogsOpenAboveThePrintStatus_data()
    {
        QTest::addColumn<bool>("printDialog");
        QTest::newRow("message box") << false;
        QTest::newRow("print dialog") << true;
    }
    void dialogsOpenAboveThePrintStatus()
    {
        QFETCH(bool, printDialog);
        TfrmDruckStatus *status = m_window->printing().druckStatus();
        status->show();
        status->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(status));
        QTRY_VERIFY_WITH_TIMEOUT(isActive(*status), 5000);

        bool seenAbove = false;
        bool seenActive = false;
        QTimer probe;
        probe.setInterval(200);
        connect(&probe, &QTimer::timeout, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (dialog == nullptr || !dialog->isVisible())
                return;
            seenAbove = above(*dialog, *status);
            seenActive = isActive(*dialog);
            if (seenAbove && seenActive) {
                probe.stop();
                qobject_cast<QDialog *>(dialog)->reject();
            }
        });
        probe.start();
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, this, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        giveUp.start(10000);
        if (printDialog) {
            QPrinter printer;
            PrinterDialogs::print(printer, m_window.get());
        } else {
            QtDialogService(u"Norvenz SZW Kennblätter"_s)
                .plain(u"Datei 'x.pdf' nicht vorhanden."_s);
        }
        QVERIFY(seenAbove);
        QVERIFY(seenActive);
    }
};

QTEST_MAIN(TestWindowOrder)
#include "tst_windoworder.moc"
