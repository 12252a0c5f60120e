// The PDF view control and the document window against a fake engine that records what it is
// sent: the message protocol as the control speaks it.
#include "documents/pdfview.h"
#include "documents/pdfviewcommands.h"
#include "documents/pdfviewlibrary.h"
#include "documents/untpdffenster.h"
#include "fakeengine.h"
#include "scripteddialogservice.h"

#include <QLibrary>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;
using View = TPDFView;

// For the messages of failed comparisons.
char *toString(const FakeMessage &message)
{
    return QTest::toString(u"(%1, %2, %3, \"%4\")"_s.arg(message.message)
                               .arg(message.first)
                               .arg(message.second)
                               .arg(QString::fromUtf8(message.text)));
}

namespace {

FakeMessage value(int command, qint64 value = 0)
{
    return {MsgValueCommand, command, value, {}};
}

FakeMessage text(int command, const QByteArray &text)
{
    return {MsgTextCommand, command, 0, text};
}

QList<FakeMessage> commandsOnly(const QList<FakeMessage> &messages)
{
    QList<FakeMessage> commands;
    for (const FakeMessage &message : messages) {
        if (message.message == MsgValueCommand || message.message == MsgTextCommand)
            commands.append(message);
    }
    return commands;
}

} // namespace

class TestPdfView : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogService m_dialogs;
    QTemporaryDir m_settings;
    FakeEngineState *m_engine = nullptr;

    // Everything the engine received since the last call.
    QList<FakeMessage> received()
    {
        QList<FakeMessage> messages = m_engine->received;
        m_engine->received.clear();
        return messages;
    }
    qint32 notify(int code, qintptr value)
    {
        return m_engine->window->send(MsgNotify, quintptr(code), value);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        TPDFView::setDialogService(&m_dialogs);
    }

    // Before any engine is loaded: each refusal is shown for every window created, and the
    // control stays without engine.
    void refusedLibraries_data()
    {
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("message");
        const QString missing = m_settings.filePath(u"libkeineengine.so"_s);
        QTest::newRow("missing") << missing << u"Cannot load DLL "_s + missing;
        QTest::newRow("no entry point") << QStringLiteral(FAKE_ENGINE_NO_ENTRY) << u"Wrong DLL!"_s;
        QTest::newRow("other ABI version")
            << QStringLiteral(FAKE_ENGINE_OLD_ABI) << u"Wrong DLL!"_s;
        QTest::newRow("no window class") << QStringLiteral(FAKE_ENGINE_OTHER_CLASS)
                                         << u"Windowclass PDFENGINE_VIEW_01 cannot be found!"_s;
    }
    void refusedLibraries()
    {
        QFETCH(QString, library);
        QFETCH(QString, message);
        TPDFView::EngineLibraryName = library;
        m_dialogs.clear();
        TPDFView first;
        TPDFView second;
        QCOMPARE(first.SendCommand(CmdNextPage), 0);
        // The fault of old: success without an engine.
        QVERIFY(!second.LoadFromFile(QStringLiteral(FAKE_ENGINE)));
        const MessageBoxSpec box{m_dialogs.applicationTitle(), MessageBoxSpec::Icon::None,
                                 MessageBoxSpec::Buttons::Ok, message};
        QCOMPARE(m_dialogs.shown(), QList<MessageBoxSpec>({box, box}));
        QVERIFY(!first.hasEngine());
        QVERIFY(!PDFViewLibrary::isLoaded());
    }

    void placeholderWithoutEngine()
    {
        TPDFView::EngineLibraryName = m_settings.filePath(u"libkeineengine.so"_s);
        TPDFView view;
        view.resize(300, 200);
        view.setBorderStyle(View::bsSingle);
        view.show();
        const QImage image = view.grab().toImage();
        // Border, white client, the lines where the scroll bars would be, some text.
        QCOMPARE(image.pixelColor(0, 100), QColor(Qt::black));
        QCOMPARE(image.pixelColor(150, 100), QColor(Qt::white));
        QCOMPARE(image.pixelColor(100, 1 + 200 - 2 - 15), QColor(Qt::black));
        QCOMPARE(image.pixelColor(1 + 300 - 2 - 15, 50), QColor(Qt::black));
        int dark = 0;
        for (int y = 7; y < 40; ++y)
            for (int x = 5; x < 110; ++x)
                dark += image.pixelColor(x, y).lightness() < 128;
        QVERIFY(dark > 50);
    }

    // The first engine that loads stays for the process; it comes through the registry.
    void libraryNameFromRegistry()
    {
        QSettings registry(QSettings::NativeFormat, QSettings::UserScope, u"KbTest"_s, u"Viewer"_s);
        registry.setValue(u"Engine/Library"_s, QStringLiteral(FAKE_ENGINE));
        registry.sync();
        TPDFView::EngineLibraryName = u"{HKCU}Software\\KbTest\\Viewer\\Engine\\Library"_s;
        TPDFView view;
        view.SendCommand(CmdFirstPage);
        QVERIFY(view.hasEngine());
        QLibrary library(QStringLiteral(FAKE_ENGINE));
        const auto state =
            reinterpret_cast<FakeEngineStateFunction>(library.resolve(FakeEngineStateName));
        QVERIFY(state != nullptr);
        m_engine = state();
        QCOMPARE(received().first(), (FakeMessage{MessageWindowCreated, 0, 0, {}}));
    }

    void optionBits_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<int>("members");
        QTest::addColumn<FakeMessage>("sent");
        QTest::newRow("both scroll bars")
            << "ViewControls"_ba << int(View::pvHorzScrollBar | View::pvVertScrollBar)
            << value(CmdViewControls, 3);
        QTest::newRow("horizontal bar is bit 2")
            << "ViewControls"_ba << int(View::pvHorzScrollBar) << value(CmdViewControls, 2);
        QTest::newRow("view panel")
            << "ViewControls"_ba << int(View::pvViewPanel) << value(CmdViewControls, 4);
        QTest::newRow("property panel is bit 16")
            << "ViewControls"_ba << int(View::pvPropertyPanel) << value(CmdViewControls, 16);
        QTest::newRow("all five") << "ViewControls"_ba << 0x1F << value(CmdViewControls, 31);
        QTest::newRow("smart thumbnails")
            << "ViewOptions"_ba << int(View::pvEnableSmartThumbs) << value(CmdViewOptions, 512);
        QTest::newRow("form editing")
            << "ViewOptions"_ba << int(View::pvAllowFormEdit) << value(CmdViewOptions, 64);
        QTest::newRow("no hyperlinks, no zoom hint")
            << "ViewOptions"_ba << int(View::pvDontUseHyperlinks | View::pvDisableZoomHint)
            << value(CmdViewOptions, 257);
        QTest::newRow("no options") << "ViewOptions"_ba << 0 << value(CmdViewOptions, 0);
    }
    void optionBits()
    {
        QFETCH(QByteArray, property);
        QFETCH(int, members);
        QFETCH(FakeMessage, sent);
        TPDFView view;
        received();
        // As a form built from a .ui file assigns it.
        QVERIFY(view.setProperty(property.constData(), members));
        QCOMPARE(commandsOnly(received()), QList<FakeMessage>({sent}));
        view.setProperty(property.constData(), members);
        QCOMPARE(commandsOnly(received()), QList<FakeMessage>({sent}));
    }

    void securityOptionsSendOneCommandEach()
    {
        TPDFView view;
        received();
        view.setSecurityOptions(View::pvDisableSave | View::pvDisableCopy | View::pvDisableForms |
                                View::pvDisableEdit | View::pvDisablePDFSecurityOverride);
        QCOMPARE(commandsOnly(received()),
                 QList<FakeMessage>({value(127), value(128), value(129), value(130), value(131)}));
        view.setSecurityOptions(View::pvDisablePrint | View::pvDisablePrintHDC);
        QCOMPARE(commandsOnly(received()), QList<FakeMessage>({value(123), value(126)}));
        view.setSecurityOptions({});
        QCOMPARE(commandsOnly(received()), QList<FakeMessage>());
    }

    void fileNameLoadsEachNameOnce()
    {
        TPDFView view;
        m_engine->rejectedFile = "kaputt.pdf";
        received();
        view.setFileName(u"a.pdf"_s);
        view.setFileName(u"a.pdf"_s);
        QCOMPARE(view.LastLoadedFile(), u"a.pdf"_s);
        view.setFileName(u"kaputt.pdf"_s);
        view.setFileName(u"kaputt.pdf"_s);
        view.setFileName(QString());
        QCOMPARE(view.LastLoadedFile(), u"a.pdf"_s);
        QCOMPARE(view.FileName(), QString());
        QCOMPARE(commandsOnly(received()),
                 QList<FakeMessage>({text(CmdLoadFile, "a.pdf"), text(CmdLoadFile, "kaputt.pdf"),
                                     text(CmdLoadFile, "kaputt.pdf")}));
        QVERIFY(!view.LoadFromFile(u"kaputt.pdf"_s));
        QVERIFY(view.LoadFromFile(u"b.pdf"_s));
        QCOMPARE(view.FileName(), QString());
        QCOMPARE(view.LastLoadedFile(), u"b.pdf"_s);
    }

    void loadedSendsTheStoredValuesAgain()
    {
        TPDFView view;
        view.setViewOptions(View::pvSelectClickedPage);
        view.setViewControls(View::pvNavigationPanel);
        view.setSecurityOptions(View::pvDisableCopy);
        view.setLoadPassword(u"geheim"_s);
        view.setFileName(u"kaputt.pdf"_s);
        received();
        view.Loaded();
        QCOMPARE(
            commandsOnly(received()),
            QList<FakeMessage>({value(CmdViewOptions, 8), value(CmdViewControls, 8),
                                text(CmdPassword, "geheim"), text(CmdLoadFile, "kaputt.pdf")}));
    }

    // The document window's form: its settings as the form assigns them, then the same again
    // once it is built, then page width once.
    void documentWindowIsBuiltInOrder()
    {
        received();
        TfrmPDFFenster window;
        QCOMPARE(commandsOnly(received()),
                 QList<FakeMessage>({value(CmdViewControls, 3), value(CmdViewOptions, 0),
                                     value(127), value(128), value(129), value(130), value(131),
                                     value(CmdViewOptions, 0), value(CmdViewControls, 3),
                                     text(CmdPassword, ""), value(CmdPageWidth)}));
    }

    void documentWindowZoomGuards_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QList<FakeMessage>>("sent");
        const QList<FakeMessage> none;
        QTest::newRow("in at 339")
            << u"sbtnZoomIn"_s << 339 << QList<FakeMessage>({value(CmdGetZoom), value(CmdZoomIn)});
        QTest::newRow("in at 340")
            << u"sbtnZoomIn"_s << 340 << QList<FakeMessage>({value(CmdGetZoom)});
        QTest::newRow("out at 31")
            << u"sbtnZoomOut"_s << 31 << QList<FakeMessage>({value(CmdGetZoom), value(CmdZoomOut)});
        QTest::newRow("out at 30")
            << u"sbtnZoomOut"_s << 30 << QList<FakeMessage>({value(CmdGetZoom)});
    }
    void documentWindowZoomGuards()
    {
        QFETCH(QString, button);
        QFETCH(int, zoom);
        QFETCH(QList<FakeMessage>, sent);
        TfrmPDFFenster window;
        m_engine->zoomAnswer = zoom;
        received();
        window.findChild<QToolButton *>(button)->click();
        QCOMPARE(commandsOnly(received()), sent);
    }

    void commandBaseIsAddedToLaterCommands()
    {
        TPDFView view;
        view.SendCommand(CmdFirstPage);
        QCOMPARE(notify(NotifyCommandBase, 1000), 0);
        received();
        view.SendCommand(CmdNextPage);
        view.PrintPages(0, 99);
        QCOMPARE(commandsOnly(received()),
                 QList<FakeMessage>({value(1023), value(1031, 99 * 65536)}));
        QCOMPARE(view.CommandBase(), 1000);
    }

    void notificationsBecomeSignals()
    {
        TPDFView view;
        view.SendCommand(CmdFirstPage);
        QList<int> pages;
        connect(&view, &TPDFView::OnChangeViewPage, this, [&](int page) {
            // The engine's own procedure saw the notification first.
            QCOMPARE(m_engine->received.last(), (FakeMessage{MsgNotify, NotifyPageChanged, 0, {}}));
            pages.append(page);
        });
        QStringList errors;
        connect(&view, &TPDFView::OnError, this, [&](const QString &m) { errors.append(m); });
        int passwordRequests = 0;
        connect(&view, &TPDFView::OnNeedPassword, this, [&] { ++passwordRequests; });
        QList<QList<int>> pageLinks;
        connect(&view, &TPDFView::OnHyperlinkPage, this, [&](int page, int x, int y) {
            pageLinks.append({page, x, y});
        });
        QStringList webLinks;
        connect(&view, &TPDFView::OnHyperlinkWWW, this,
                [&](const QString &url) { webLinks.append(url); });

        notify(NotifyPageChanged, 0);
        notify(NotifyNeedPassword, 0);
        notify(NotifyVersion, 100);
        const QByteArray message = u"Die Datei „ä.pdf“ ist leer."_s.toUtf8();
        notify(NotifyError, reinterpret_cast<qintptr>(message.constData()));
        const QByteArray url = "https://www.example.org/ä";
        QCOMPARE(m_engine->window->send(MsgLinkPage, 3, linkPoint(40, 780)), 0);
        QCOMPARE(m_engine->window->send(MsgLinkWeb, 0, reinterpret_cast<qintptr>(url.data())), 0);
        QCOMPARE(m_engine->window->send(MsgLinkWeb, 0, 0), 0);
        QCOMPARE(m_engine->window->send(MsgGetDialogCode, 0, 0), 133);

        QCOMPARE(pages, QList<int>({1}));
        QCOMPARE(passwordRequests, 1);
        QCOMPARE(view.Version(), 100);
        QCOMPARE(errors, QStringList({u"Die Datei „ä.pdf“ ist leer."_s}));
        QCOMPARE(pageLinks, QList<QList<int>>({{3, 40, 780}}));
        QCOMPARE(webLinks, QStringList({QString::fromUtf8(url)}));
    }

    void keyReplacement_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("replacement"); // -1: no handler
        QTest::addColumn<QList<FakeMessage>>("sent");
        QTest::newRow("key down swallowed")
            << NotifyKeyDown << 0 << QList<FakeMessage>({value(CmdReplaceKey, 0)});
        QTest::newRow("key down unchanged")
            << NotifyKeyDown << int(KeyPageDown) << QList<FakeMessage>();
        QTest::newRow("key down without handler") << NotifyKeyDown << -1 << QList<FakeMessage>();
        QTest::newRow("key up replaced")
            << NotifyKeyUp << int(KeyHome) << QList<FakeMessage>({value(CmdReplaceKey, KeyHome)});
        QTest::newRow("character replaced")
            << NotifyKeyPress << int('B') << QList<FakeMessage>({value(CmdReplaceKey, 'B')});
    }
    void keyReplacement()
    {
        QFETCH(int, code);
        QFETCH(int, replacement);
        QFETCH(QList<FakeMessage>, sent);
        TPDFView view;
        view.SendCommand(CmdFirstPage);
        quint16 seenKey = 0;
        View::TShiftState seenShift;
        if (replacement >= 0) {
            const auto keyHandler = [&](quint16 &key, View::TShiftState shift) {
                seenKey = key;
                seenShift = shift;
                key = quint16(replacement);
            };
            connect(&view, &TPDFView::OnKeyDown, this, keyHandler);
            connect(&view, &TPDFView::OnKeyUp, this, keyHandler);
            connect(&view, &TPDFView::OnKeyPress, this, [&](quint8 &character) {
                seenKey = character;
                character = quint8(replacement);
            });
        }
        received();
        const qint32 value = code == NotifyKeyPress ? charValue('a') : keyValue(KeyPageDown, 0x45);
        notify(code, value);
        QCOMPARE(commandsOnly(received()), sent);
        if (replacement >= 0) {
            QCOMPARE(seenKey, code == NotifyKeyPress ? quint16('a') : KeyPageDown);
            if (code != NotifyKeyPress)
                QCOMPARE(seenShift, View::ssShift | View::ssCtrl | View::ssDouble);
        }
    }

    void textsCrossAsUtf8()
    {
        TPDFView view;
        received();
        const QString path = u"/tmp/Kennblätter/01234_05.pdf"_s;
        view.LoadFromFile(path);
        view.SendCommandText(CmdSetPrinter, u"Büro-Drucker"_s);
        QCOMPARE(commandsOnly(received()),
                 QList<FakeMessage>({text(CmdLoadFile, QFile::encodeName(path)),
                                     text(CmdSetPrinter, "B\xc3\xbcro-Drucker")}));
    }
};

QTEST_MAIN(TestPdfView)
#include "tst_pdfview.moc"
