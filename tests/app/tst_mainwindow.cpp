// Drives the real main window offscreen: start-up from a generated catalogue and a settings
// file, the wiring of its subsystems, and the closing steps.
#include "app/untfrmsplash.h"
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "cataloguefixture.h"
#include "comboboxgestures.h"
#include "csvreadback.h"
#include "documents/pdfview.h"
#include "list/filterbar.h"
#include "list/headercontrol.h"
#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "list/listcontroller.h"
#include "list/listexportcommands.h"
#include "list/ownerdrawcombobox.h"
#include "platform/cp1252.h"
#include "printing/printcommands.h"
#include "scripteddialogservice.h"
#include "settings/profilefile.h"

#include "testfiles.h"
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace ComboBoxGestures;

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_settingsPath;
    QString m_userSettingsPath;
    std::unique_ptr<ScriptedDialogService> m_dialogs;
    std::unique_ptr<TKennblattListe> m_catalogue;
    std::unique_ptr<TfrmMain> m_window;

    // Writes the catalogue and a settings file naming its folder, then creates the window.
    TfrmMain *start(const QByteArray &einstellungen = {}, const QByteArray &otherSections = {},
                    const FixtureCatalogue &catalogue = FixtureCatalogue::sample())
    {
        if (!writeFixtureCatalogue(m_dir.path(), catalogue))
            return nullptr;
        writeFixtureSettings(m_settingsPath, m_dir.path(), einstellungen + otherSections);
        return create();
    }

    TfrmMain *create()
    {
        m_dialogs = std::make_unique<ScriptedDialogService>();
        m_catalogue = std::make_unique<TKennblattListe>();
        m_window = std::make_unique<TfrmMain>(*m_dialogs, *m_catalogue, m_settingsPath);
        m_window->show();
        // The offscreen platform activates every window it shows, the splash too.
        QCoreApplication::processEvents();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("main window did not become active");
        return m_window.get();
    }

    // Closes and destroys the window: the closing steps run.
    void finish() { m_window.reset(); }

    template<typename T>
    T *control(const char *name) const
    {
        return findControl<T>(*m_window, name);
    }

    QStringList column(int col) const
    {
        const QAbstractItemModel &model = m_window->listModel();
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts.append(model.index(row, col).data().toString());
        return texts;
    }

    QString count() const { return control<QLabel>("StaticText2")->text(); }

    void clickSection(int section)
    {
        auto *header = control<HeaderControl>("hcKopf");
        const QPoint centre(header->sectionViewportPosition(section) +
                                header->sectionSize(section) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    }

    void markRows(const QList<int> &rows)
    {
        auto *list = control<KennblattListView>("lvKennblaetter");
        list->clearSelection();
        for (int row : rows) {
            list->selectionModel()->select(m_window->listModel().index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
        QVERIFY(m_dir.isValid());
        m_settingsPath = m_dir.filePath(u"kennblaetter.INI"_s);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(u"config"_s)));
        m_userSettingsPath = m_dir.filePath(u"config/kennblaetter/kennblaetter.INI"_s);
    }

    void cleanup()
    {
        m_window.reset();
        QFile::setPermissions(m_settingsPath, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(m_settingsPath);
        QFile::remove(m_dir.filePath(u"config"_s));
        QDir(m_dir.filePath(u"config"_s)).removeRecursively();
        QFile::remove(m_dir.filePath(u"Norvenz SZW Kennblätter.mde"_s));
    }

    // Ctrl+C copies the marked rows with a caption line; "Liste exportieren …" writes the
    // list as it stands (filtered, sorted) or its marked rows, read back as a spreadsheet does.
    void copyAndExportTheList()
    {
        TfrmMain *w = start();
        QVERIFY(w);
        clickSection(1);
        clickSection(1); // Marke descending
        auto *changed = control<QComboBox>("cmbFilterGeaendert");
        choose(changed, 2); // Nicht geänderte
        const int rows = w->listModel().rowCount();
        QVERIFY(rows >= 3 && rows < 6);
        const QStringList captions = {u"Kennblatt-Nr."_s, u"Marke"_s,      u"Pulver"_s,
                                      u"Herst./Lief."_s,  u"Zusatz-Art"_s, u"TÜO"_s,
                                      u"Änderung"_s};
        const auto shownRow = [&](int row) {
            QStringList fields;
            for (int col = 0; col < captions.size(); ++col)
                fields.append(column(col).at(row));
            return fields;
        };

        markRows({0, 2});
        auto *list = control<KennblattListView>("lvKennblaetter");
        list->setFocus();
        QTest::keySequence(list, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), captions.join(u'\t') + u'\n' +
                                                           shownRow(0).join(u'\t') + u'\n' +
                                                           shownRow(2).join(u'\t') + u'\n');

        auto *item = m_window->findChild<QAction *>(u"mnuListeExportieren"_s);
        QVERIFY(item != nullptr && item->isVisible());
        QCOMPARE(item->text().remove(u'&'), u"Liste exportieren …"_s);
        QVERIFY(control<QMenu>("mnuDatei")->actions().contains(item));
        const QString path = m_dir.filePath(u"liste.csv"_s);
        w->listExport().setFileQuestion([&](const QString &) { return path; });
        QList<QStringList> all = {captions};
        for (int row = 0; row < rows; ++row)
            all.append(shownRow(row));
        m_dialogs->queueAnswer(DialogAnswer::No); // the whole list, not only the marked rows
        item->trigger();
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown().first().caption, u"Bestätigen"_s);
        QCOMPARE(readCsvBack(path), all);
        m_dialogs->queueAnswer(DialogAnswer::Yes);
        item->trigger();
        QCOMPARE(readCsvBack(path), QList<QStringList>({captions, shownRow(0), shownRow(2)}));
        // Nothing marked: no question, the whole list.
        markRows({});
        m_dialogs->clear();
        QFile::remove(path);
        item->trigger();
        QVERIFY(m_dialogs->shown().isEmpty());
        QCOMPARE(readCsvBack(path), all);
        // A target that cannot be written: the German message, the old file untouched.
        w->listExport().setFileQuestion(
            [&](const QString &) { return m_dir.filePath(u"fehlt/liste.csv"_s); });
        item->trigger();
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown().first().caption, u"Fehler"_s);
        QVERIFY(m_dialogs->shown().first().text.contains(u"fehlt"_s));
        QCOMPARE(readCsvBack(path), all);
    }

    void startupLoadsTheCatalogue()
    {
        TfrmMain *w = start();
        QVERIFY(w);
        QVERIFY(m_dialogs->shown().isEmpty());
        QVERIFY(w->startupCompleted());
        QCOMPARE(w->windowTitle(),
                 u"Norvenz Kennblätter für eignungsgeprüfte Schweißzusätze, Stand: 2026.2"_s);
        QCOMPARE(w->catalogueContent().EditionLabel, QByteArray("Ausgabe Herbst 2026"));
        QCOMPARE(count(), u"6"_s);
        // Sorted by number, yet no arrow shown.
        QCOMPARE(column(0), (QStringList{u"00007.10"_s, u"00042.00"_s, u"00815.00"_s, u"01234.05"_s,
                                         u"03000.02"_s, u"12000.01"_s}));
        QCOMPARE(w->list().SortOrder, 1);
        QCOMPARE(control<HeaderControl>("hcKopf")->sectionImage(0), SortArrow::Blank);
        QCOMPARE(column(6), (QStringList{u"**"_s, {}, {}, u"**"_s, {}, {}}));
        QCOMPARE(itemTexts(control<QComboBox>("cmbFilterTUEO")),
                 (QStringList{u"Alle"_s, u"TN"_s, u"TS"_s, u"DB"_s}));
        QCOMPARE(itemTexts(control<QComboBox>("cmbFilterZusatz")),
                 (QStringList{u"Alle"_s, u"E1"_s, u"E2"_s, u"M1"_s, u"UP"_s}));
        // Manufacturers come sorted by key, "Ö" with the O's.
        QCOMPARE(itemTexts(control<QComboBox>("cmbFilterHersteller")),
                 (QStringList{u"Alle"_s, u"BOE"_s, u"ÖKO"_s, u"THY"_s, u"UNI"_s}));
        QCOMPARE(w->catalogueContent().HerstellerLookup.NameOf("\xf6ko"),
                 Cp1252::fromUnicode(u"Ökoschweiß KG"));

        auto *splash = w->findChild<TfrmSplash *>();
        QVERIFY(splash);
        QCOMPARE(splash->status(), u"Erzeuge Liste"_s);
        QTRY_VERIFY(w->isMaximized());
        QTRY_VERIFY_WITH_TIMEOUT(!w->findChild<TfrmSplash *>(), 3000);
    }

    void startupDefaultsAndSettings_data()
    {
        QTest::addColumn<QByteArray>("einstellungen");
        QTest::addColumn<QByteArray>("view");
        QTest::addColumn<int>("splashInterval");
        QTest::addColumn<bool>("splashTimerRuns");
        QTest::addColumn<int>("changeFilterIndex");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("tueoIndex");
        QTest::addColumn<bool>("deckblattEnabled");

        QTest::newRow("defaults") << QByteArray() << QByteArray() << 500 << true << 0 << 6 << 0
                                  << false;
        QTest::newRow("hexadecimal interval") << QByteArray("TimerSplash=0x3E8\r\n") << QByteArray()
                                              << 1000 << true << 0 << 6 << 0 << false;
        QTest::newRow("interval not a number") << QByteArray("TimerSplash=abc\r\n") << QByteArray()
                                               << 500 << true << 0 << 6 << 0 << false;
        QTest::newRow("interval 0 keeps the splash")
            << QByteArray("TimerSplash=0\r\n") << QByteArray() << 0 << false << 0 << 6 << 0
            << false;
        QTest::newRow("only changed sheets") << QByteArray() << QByteArray("Aenderungsfilter=1\r\n")
                                             << 500 << true << 1 << 2 << 0 << false;
        QTest::newRow("change filter out of range")
            << QByteArray() << QByteArray("Aenderungsfilter=5\r\n") << 500 << true << -1 << 6 << 0
            << false;
        QTest::newRow("lookup choice only preselected")
            << QByteArray() << QByteArray("TUEOfilter=2\r\n") << 500 << true << 0 << 6 << 2
            << false;
        QTest::newRow("reference document named")
            << QByteArray("NamePDFDeckblatt=Deckblatt.pdf\r\n") << QByteArray() << 500 << true << 0
            << 6 << 0 << true;
        QTest::newRow("reference document empty")
            << QByteArray("NamePDFDeckblatt=\r\n") << QByteArray() << 500 << true << 0 << 6 << 0
            << false;
    }
    void startupDefaultsAndSettings()
    {
        QFETCH(QByteArray, einstellungen);
        QFETCH(QByteArray, view);
        QFETCH(int, splashInterval);
        QFETCH(bool, splashTimerRuns);
        QFETCH(int, changeFilterIndex);
        QFETCH(int, rows);
        QFETCH(int, tueoIndex);
        QFETCH(bool, deckblattEnabled);

        TfrmMain *w = start(einstellungen, view.isEmpty() ? QByteArray() : "[View]\r\n" + view);
        QVERIFY(w);
        QVERIFY(m_dialogs->shown().isEmpty());
        auto *timer = control<QTimer>("TimerSplash");
        QCOMPARE(timer->interval(), splashInterval);
        QCOMPARE(timer->isActive(), splashTimerRuns);
        QCOMPARE(control<QComboBox>("cmbFilterGeaendert")->currentIndex(), changeFilterIndex);
        QCOMPARE(m_window->listModel().rowCount(), rows);
        QCOMPARE(control<QComboBox>("cmbFilterTUEO")->currentIndex(), tueoIndex);
        QVERIFY(control<QLineEdit>("edtFilterTUEO")->text().isEmpty());
        QCOMPARE(control<QComboBox>("cmbDrucklisten")->currentIndex(), 0);
        QCOMPARE(w->settings().FilterImmerAlsTeilString, 0);
        QCOMPARE(w->findChild<QAction *>(u"mnuDeckblatt"_s)->isEnabled(), deckblattEnabled);
        QVERIFY(!w->findChild<QAction *>(u"mnuPraegeliste"_s)->isEnabled());
    }

    void savedColumnWidthsAreHeldWithinLimits()
    {
        start({}, "[Columns_hcKopf]\r\n1=10\r\n2=200\r\n7=5000\r\n");
        auto *kopf = control<HeaderControl>("hcKopf");
        QCOMPARE(kopf->sectionSize(0), 40);
        QCOMPARE(kopf->sectionSize(1), 200);
        QCOMPARE(kopf->sectionSize(6), 5000);
        auto *list = control<KennblattListView>("lvKennblaetter");
        QCOMPARE(list->columnWidth(0), 50);
        QCOMPARE(list->columnWidth(1), 200);
        QCOMPARE(control<HeaderControl>("hcFilter")->sectionSize(1), 200);
        QCOMPARE(control<QComboBox>("cmbFilterMarke")->width(), 198);
        QCOMPARE(control<QComboBox>("cmbFilterPulver")->x(), 240);
    }

    void negativeSplashIntervalIsReportedAndReplaced()
    {
        TfrmMain *w = start("TimerSplash=-1\r\n");
        QVERIFY(w);
        QCOMPARE(m_dialogs->shown().size(), 1);
        const MessageBoxSpec box = m_dialogs->shown().first();
        QCOMPARE(box.caption, u"Warnung"_s);
        QVERIFY(box.text.contains(u"-1"_s) && box.text.contains(u"'TimerSplash'"_s) &&
                box.text.contains(u"500"_s));
        QVERIFY(w->startupCompleted());
        QCOMPARE(count(), u"6"_s);
        QCOMPARE(control<QTimer>("TimerSplash")->interval(), 500);
        QVERIFY(control<QTimer>("TimerSplash")->isActive());
    }
    void missingDatabaseEndsTheStart()
    {
        QTemporaryDir empty;
        writeFile(m_settingsPath,
                  "[Einstellungen]\r\nPfadZuMDEDatei=" + Cp1252::fromUnicode(empty.path()) +
                      "\r\n[View]\r\nAenderungsfilter=2\r\n");
        TfrmMain *w = create();
        QCOMPARE(m_dialogs->shown().size(), 1);
        const MessageBoxSpec box = m_dialogs->shown().first();
        QCOMPARE(box.caption, u"Fehler"_s);
        QCOMPARE(box.icon, MessageBoxSpec::Icon::Error);
        QCOMPARE(box.text,
                 u"Die Datenbankdatei '"_s + empty.path() +
                     u"/Norvenz SZW Kennblätter.mde' konnte nicht gefunden werden. Bitte "
                     u"tragen Sie in der Ini-Datei unter 'Einstellungen','PfadZuMDEDatei' "
                     u"den korrekten Pfad zur MDE ein."_s);
        QVERIFY(w->applicationEndRequested());
        QCOMPARE(w->windowTitle(), u"Gralm-Kennblätter"_s);
        QCOMPARE(m_catalogue->Count(), 0);
        // Not placed, so not shown piled up at the top left.
        QVERIFY(!control<QComboBox>("cmbFilterMarke")->isVisible());
        QVERIFY(!control<QPushButton>("btnLoeschen")->isVisible());
        finish();
        QCOMPARE(ProfileFile(m_settingsPath).readInteger("View", "Aenderungsfilter", 0), 2);
        QCOMPARE(ProfileFile(m_settingsPath).readString("BoundsfrmMain", "Left", {}), QByteArray());
    }

    void withoutSettingsFileOnlyTheReportBoundsAreWritten()
    {
        QVERIFY(!QFile::exists(m_settingsPath));
        create();
        // The default folder is the executable's, which holds no catalogue.
        QCOMPARE(m_dialogs->shown().size(), 1);
        QVERIFY(m_dialogs->shown().first().text.contains(QCoreApplication::applicationDirPath() +
                                                         u"/"_s));
        finish();
        const QByteArray written = readFile(m_settingsPath);
        QVERIFY(written.startsWith("[BoundsfrmReport]"));
        QCOMPARE(written.count('['), 1);
    }

    void filterGesturesRebuildTheList()
    {
        start();
        typeAndEnter(control<QComboBox>("cmbFilterMarke"), u"fox"_s);
        QCOMPARE(column(1), (QStringList{u"Fox EV 50"_s, u"fox 2"_s}));
        QCOMPARE(count(), u"2"_s);
        auto *nummer = control<QComboBox>("cmbFilterKennblattNr");
        nummer->setFocus(Qt::OtherFocusReason);
        nummer->setEditText(u"00042"_s);
        control<QLineEdit>("edtFilterHersteller")->setFocus(Qt::TabFocusReason);
        QCOMPARE(count(), u"0"_s);
        QTest::mouseClick(control<QPushButton>("btnLoeschen"), Qt::LeftButton);
        QCOMPARE(count(), u"6"_s);
    }
    void theMenuResetSkipsAnUnchangedList()
    {
        start();
        QSignalSpy resets(&m_window->listModel(), &QAbstractItemModel::modelReset);
        m_window->findChild<QAction *>(u"mnuAlleFilterloeschen"_s)->trigger();
        QCOMPARE(resets.count(), 0); // all filters were already off
        typeAndEnter(control<QComboBox>("cmbFilterMarke"), u"fox"_s);
        m_window->findChild<QAction *>(u"mnuAlleFilterloeschen"_s)->trigger();
        QCOMPARE(resets.count(), 2);
        QCOMPARE(count(), u"6"_s);
    }
    void headerClicksSortWithArrows()
    {
        TfrmMain *w = start();
        auto *kopf = control<HeaderControl>("hcKopf");
        clickSection(1);
        QCOMPARE(w->list().SortOrder, 2);
        QCOMPARE(kopf->sectionImage(1), SortArrow::Up);
        QCOMPARE(column(1).first(), u"fox 2"_s);         // "FOX 2" < "FOX EV 50"
        QCOMPARE(column(1).last(), u"Öko-Draht SG 3"_s); // umlauts after all letters
        clickSection(1);
        QCOMPARE(w->list().SortOrder, -2);
        QCOMPARE(kopf->sectionImage(1), SortArrow::Down);
        QCOMPARE(column(1).first(), u"Öko-Draht SG 3"_s);
        clickSection(2);
        QCOMPARE(w->list().SortOrder, 3);
        QCOMPARE(kopf->sectionImage(2), SortArrow::Up);
        QCOMPARE(kopf->sectionImage(1), SortArrow::Blank);
        clickSection(0);
        QCOMPARE(w->list().SortOrder, 1);
        clickSection(0);
        QCOMPARE(w->list().SortOrder, -1);
        QCOMPARE(column(0).first(), u"12000.01"_s);
        clickSection(6);
        QCOMPARE(column(6), (QStringList{{}, {}, {}, {}, u"**"_s, u"**"_s}));
    }

    void firstClickOnTheNumberReverses()
    {
        TfrmMain *w = start();
        clickSection(0);
        QCOMPARE(w->list().SortOrder, -1);
        QCOMPARE(control<HeaderControl>("hcKopf")->sectionImage(0), SortArrow::Down);
    }

    void resizingASectionKeepsListAndFiltersInStep()
    {
        start();
        auto *kopf = control<HeaderControl>("hcKopf");
        auto *list = control<KennblattListView>("lvKennblaetter");
        kopf->resizeSection(0, 45);
        QCOMPARE(list->columnWidth(0), 50);
        QCOMPARE(control<HeaderControl>("hcFilter")->sectionSize(0), 45);
        QCOMPARE(control<QComboBox>("cmbFilterKennblattNr")->width(), 43);
        kopf->resizeSection(0, 10);
        QCOMPARE(kopf->sectionSize(0), 40); // its own minimum
        const int loeschenX = control<QPushButton>("btnLoeschen")->x();
        kopf->resizeSection(1, kopf->sectionSize(1) + 30);
        QCOMPARE(list->columnWidth(1), 180);
        QCOMPARE(control<QPushButton>("btnLoeschen")->x(), loeschenX + 30);
    }
    void headersFollowHorizontalScrolling()
    {
        start();
        auto *kopf = control<HeaderControl>("hcKopf");
        auto *filter = control<HeaderControl>("hcFilter");
        auto *list = control<KennblattListView>("lvKennblaetter");
        auto *panel = control<QWidget>("Panel1");
        QTRY_VERIFY(m_window->isMaximized());
        QCOMPARE(kopf->x(), 0);
        kopf->resizeSection(2, 3000);
        QTRY_VERIFY(list->horizontalScrollBar()->isVisible());
        const int listWidth = list->width();
        list->horizontalScrollBar()->setValue(100);
        QTRY_COMPARE(kopf->x(), -100);
        QCOMPARE(kopf->width(), panel->width() + 100);
        QCOMPARE(filter->x(), -100);
        QCOMPARE(filter->width(), kopf->width());
        QCOMPARE(list->width(), listWidth);
        list->horizontalScrollBar()->setValue(0);
        QTRY_COMPARE(kopf->x(), 0);
    }

    void markingCountsInTheStatusBar()
    {
        TfrmMain *w = start();
        QVERIFY(w->statusText().isEmpty());
        auto *list = control<KennblattListView>("lvKennblaetter");
        const auto rowCentre = [&](int row) {
            return list->visualRect(w->listModel().index(row, 1)).center();
        };
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
        QCOMPARE(w->statusText(), u"1 Kennblatt markiert"_s);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(2));
        QCOMPARE(w->statusText(), u"2 Kennblätter markiert"_s);
        list->clearSelection();
        QCOMPARE(w->statusText(), u"0 Kennblätter markiert"_s);
        // Marks follow their rows when sorted.
        markRows({0});
        const QString marked = column(0).first();
        clickSection(0);
        QCOMPARE(list->markedRows(), QList<int>{5});
        QCOMPARE(column(0).at(5), marked);
        QCOMPARE(w->statusText(), u"1 Kennblatt markiert"_s);
        // A rebuilt list starts unmarked, and the count says so.
        typeAndEnter(control<QComboBox>("cmbFilterMarke"), u"fox"_s);
        QVERIFY(list->markedRows().isEmpty());
        QCOMPARE(w->statusText(), u"0 Kennblätter markiert"_s);
    }

    void buttonEnterAndDoubleClickOpenTheMarkedSheet()
    {
        TfrmMain *w = start();
        auto *list = control<KennblattListView>("lvKennblaetter");
        const QString expected =
            u"Datei '"_s + m_dir.path() + u"//00042_00.pdf' nicht vorhanden."_s;
        markRows({1});
        QTest::mouseClick(control<QPushButton>("btnAnzeigen"), Qt::LeftButton);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        const QPoint row1 = list->visualRect(w->listModel().index(1, 1)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row1);
        QCOMPARE(m_dialogs->shown().size(), 3);
        for (const MessageBoxSpec &box : m_dialogs->shown())
            QCOMPARE(box.text, expected);
    }
    void printButtonAndBatchHoldTheList()
    {
        TfrmMain *w = start();
        int printDialogs = 0;
        w->printing().PrintDialog1 = [&](QPrinter &) {
            return ++printDialogs, false;
        };
        control<QComboBox>("cmbDrucklisten")->setCurrentIndex(PrintCommands::MarkierteKennblaetter);
        QTest::mouseClick(control<QPushButton>("btnDrucken"), Qt::LeftButton);
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown().constFirst().text,
                 u"Bitte markieren Sie die zu druckenden Kennblätter."_s);
        QCOMPARE(printDialogs, 1);

        // While a batch walks its rows, nothing in the window may change the list or start
        // another command.
        const QList<QWidget *> held{control<QWidget>("cmbFilterMarke"),
                                    control<QWidget>("hcKopf"),
                                    control<QWidget>("lvKennblaetter"),
                                    control<QWidget>("btnAnzeigen"),
                                    control<QWidget>("btnDrucken"),
                                    control<QWidget>("cmbDrucklisten"),
                                    w->menuBar()};
        Q_EMIT w->printing().batchStarted();
        for (const QWidget *widget : held)
            QVERIFY2(!widget->isEnabled(), qPrintable(widget->objectName()));
        Q_EMIT w->printing().batchFinished();
        for (const QWidget *widget : held)
            QVERIFY2(widget->isEnabled(), qPrintable(widget->objectName()));
    }

    void infoShowsTheEdition()
    {
        start();
        QString edition;
        QTimer::singleShot(0, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            edition = dialog->findChild<QLabel *>(u"StaticText2"_s)->text();
            dialog->close();
        });
        m_window->findChild<QAction *>(u"mnuInfo"_s)->trigger();
        QCOMPARE(edition, u"Datenbank 2026.2"_s);
    }

    // With the fonts that stand in for the designed ones, texts fit the designed sizes.
    void captionsFitTheirControls()
    {
        start();
        const auto fits = [](const QWidget *control, const QString &text, int available) {
            int widest = 0;
            for (const QString &line : text.split(u'\n'))
                widest = std::max(
                    widest, control->fontMetrics().horizontalAdvance(QString(line).remove(u'&')));
            if (widest > available)
                qWarning("%s: '%s' needs %d of %d pixels", qPrintable(control->objectName()),
                         qPrintable(text), widest, available);
            return widest <= available;
        };
        const QStyle *style = m_window->style();
        const int margin = style->pixelMetric(QStyle::PM_HeaderMargin);
        for (const char *name : {"StaticText1"})
            QVERIFY(fits(control<QLabel>(name), control<QLabel>(name)->text(),
                         control<QLabel>(name)->contentsRect().width()));
        const int buttonMargins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin) +
                                       style->pixelMetric(QStyle::PM_DefaultFrameWidth));
        for (const char *name : {"btnDrucken", "btnAnzeigen", "btnLoeschen"}) {
            auto *button = control<QPushButton>(name);
            QVERIFY(fits(button, button->text(), button->width() - buttonMargins));
        }
        const int arrowWidth = 16; // drop-down button and frame of a combo box
        auto *drucklisten = control<QComboBox>("cmbDrucklisten");
        for (const QString &item : itemTexts(drucklisten))
            QVERIFY(fits(drucklisten, item, drucklisten->width() - arrowWidth));
        // The change filter is narrower than its items; its list opens 120 pixels wide.
        auto *geaendert = control<QComboBox>("cmbFilterGeaendert");
        for (const QString &item : itemTexts(geaendert))
            QVERIFY(fits(geaendert, item, 120 - 2 * margin));
        // The arrow images take space in sections 0 to 5; at the designed 50 pixels the
        // captions "Herst./Lief." and "Zusatz-Art" need more than any readable font gives and
        // end in "...", as on the platform the layout was designed for.
        auto *kopf = control<HeaderControl>("hcKopf");
        for (int section : {0, 1, 2, 5, 6}) {
            const int image = section < 6 ? SortArrowWidth + margin : 0;
            const QString caption = kopf->model()->headerData(section, Qt::Horizontal).toString();
            QVERIFY(fits(kopf, caption, kopf->sectionSize(section) - 2 * margin - image));
        }
    }

    void closingWritesTheViewState()
    {
        start({}, "[cmb_cmbFilterMarke]\r\n4=old\r\n9=old\r\n");
        typeAndEnter(control<QComboBox>("cmbFilterMarke"), u"fox"_s);
        typeAndEnter(control<QComboBox>("cmbFilterMarke"), u"Öko"_s);
        choose(control<QComboBox>("cmbFilterGeaendert"), 2);
        control<QComboBox>("cmbDrucklisten")->setCurrentIndex(3);
        control<QComboBox>("cmbFilterZusatz")->setCurrentIndex(-1);
        control<HeaderControl>("hcKopf")->resizeSection(1, 222);
        QTRY_VERIFY(m_window->isMaximized());
        const QRect frame = m_window->frameGeometry();
        finish();

        ProfileFile f(m_settingsPath);
        QCOMPARE(f.readInteger("View", "LetzteDruckliste", 0), 3);
        QCOMPARE(f.readInteger("View", "Aenderungsfilter", 0), 2);
        QCOMPARE(f.readInteger("View", "Zusatzfilter", 0), -1);
        QCOMPARE(f.readInteger("View", "Herstellerfilter", 9), 0);
        QCOMPARE(f.readInteger("View", "TUEOfilter", 9), 0);
        QCOMPARE(f.readInteger("BoundsfrmMain", "Width", 0), frame.width());
        QCOMPARE(f.readInteger("BoundsfrmMain", "Height", 0), frame.height());
        QCOMPARE(f.readInteger("Columns_hcKopf", "2", 0), 222);
        QCOMPARE(f.readInteger("Columns_hcKopf", "7", 0), 50);
        QCOMPARE(f.readString("cmb_cmbFilterMarke", "Text", {}), QByteArray("\xd6ko"));
        QCOMPARE(f.readString("cmb_cmbFilterMarke", "1", {}), QByteArray("\xd6ko"));
        QCOMPARE(f.readString("cmb_cmbFilterMarke", "2", {}), QByteArray("fox"));
        QCOMPARE(f.readString("cmb_cmbFilterMarke", "4", "gone"), QByteArray("gone"));
        QCOMPARE(f.readString("cmb_cmbFilterKennblattNr", "Text", "none"), QByteArray());
        QVERIFY(f.readInteger("BoundsfrmReport", "Width", 0) > 0);
        // The installation's section is never written.
        QCOMPARE(f.readString("Einstellungen", "PfadZuMDEDatei", {}),
                 Cp1252::fromUnicode(m_dir.path()) + '/');

        // The next start restores the widths and choices.
        create();
        QCOMPARE(control<HeaderControl>("hcKopf")->sectionSize(1), 222);
        QCOMPARE(control<QComboBox>("cmbFilterGeaendert")->currentIndex(), 2);
        QCOMPARE(m_window->listModel().rowCount(), 4);
        QVERIFY(itemTexts(control<QComboBox>("cmbFilterMarke"))
                    .isEmpty()); // histories are not read back
    }

    // Where the user may not write the installation's file, the view goes to the user's own
    // file, and the next start shows it.
    void readOnlySettingsFileStaysUnchangedTheUsersFileTakesTheView()
    {
        start({}, "[View]\r\nAenderungsfilter=1\r\n");
        choose(control<QComboBox>("cmbFilterGeaendert"), 2);
        control<HeaderControl>("hcKopf")->resizeSection(1, 222);
        QFile::setPermissions(m_settingsPath,
                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray before = readFile(m_settingsPath);
        finish();
        QCOMPARE(readFile(m_settingsPath), before);
        QVERIFY(m_dialogs->shown().isEmpty()); // not even the write error

        const ProfileFile user(m_userSettingsPath);
        QCOMPARE(user.readInteger("View", "Aenderungsfilter", 0), 2);
        QCOMPARE(user.readInteger("Columns_hcKopf", "2", 0), 222);
        QVERIFY(user.readInteger("BoundsfrmMain", "Width", 0) > 0);
        QVERIFY(user.readInteger("BoundsfrmReport", "Width", 0) > 0);
        QVERIFY(!user.contains("Einstellungen", "PfadZuMDEDatei"));

        create();
        QCOMPARE(control<HeaderControl>("hcKopf")->sectionSize(1), 222);
        QCOMPARE(control<QComboBox>("cmbFilterGeaendert")->currentIndex(), 2);
        QCOMPARE(m_window->listModel().rowCount(), 4);
    }

    // Nowhere to write the view: one message, not silence and not one per key.
    void unwritableUsersFileSaysSoOnce()
    {
        start();
        QFile::setPermissions(m_settingsPath, QFile::ReadOwner);
        writeFile(m_dir.filePath(u"config"_s), "a file where the folder should be");
        finish();
        const MessageBoxSpec warning{u"Warnung"_s, MessageBoxSpec::Icon::Warning,
                                     MessageBoxSpec::Buttons::Ok,
                                     u"Ihre Ansicht (Fenster, Spalten, Filter, Druckauswahl) "
                                     u"konnte nicht gespeichert werden: In "_s +
                                         m_userSettingsPath + u" kann nicht geschrieben werden."_s};
        QCOMPARE(m_dialogs->shown(), QList<MessageBoxSpec>{warning});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
