// The filter bar on a bare window: which gestures apply the filters, the history of the text
// filters, the lookup choice, the reset, the placement on the filter header, the drop-downs.
#include "catalogue/loadedcatalogue.h"
#include "comboboxgestures.h"
#include "list/filterbar.h"
#include "list/filtercontrols.h"
#include "list/headercontrol.h"
#include "platform/cp1252.h"
#include "scripteddialogservice.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

using namespace Qt::StringLiterals;
using namespace ComboBoxGestures;

class TestFilterBar : public QObject
{
    Q_OBJECT

    ScriptedDialogService m_dialogs;
    LoadedCatalogue m_lookups;
    std::unique_ptr<QWidget> m_window;
    HeaderControl *m_header = nullptr;
    std::unique_ptr<FilterBar> m_bar;
    QList<FilterState> m_commits; // the filters each commit handed on

    template<typename T>
    T *control(const char *name) const
    {
        return findControl<T>(*m_window, name);
    }

    void sendFocusOut(QWidget *widget, Qt::FocusReason reason)
    {
        QFocusEvent event(QEvent::FocusOut, reason);
        QApplication::sendEvent(widget, &event);
    }

private Q_SLOTS:
    void init()
    {
        m_lookups = {};
        m_lookups.HerstellerLookup.Add("BOE", "Bergische Elektroden AG");
        m_lookups.HerstellerLookup.Add("\xd6KO", "\xd6koschwei\xdf KG");
        m_lookups.ZusatzLookup.Add("E1", "Stabelektrode");
        m_lookups.InfogeberLookup.Add("TN", "T\xdcV Nord");
        m_window = std::make_unique<QWidget>();
        m_window->resize(900, 60);
        QList<HeaderControl::Section> sections;
        for (int width : {150, 150, 150, 50, 50, 50, 50, 73})
            sections.append({QString(), width, 0, false});
        m_header = new HeaderControl(sections, m_window.get());
        m_header->setGeometry(0, 17, 900, 23);
        // Where the focus is before a test moves it: leaving this applies no filter.
        auto *start = new QLineEdit(m_window.get());
        start->setGeometry(800, 0, 90, 15);
        m_bar = std::make_unique<FilterBar>(m_dialogs, *m_window, m_lookups);
        const std::pair<LookupTable, const LookupList *> tables[] = {
            {LookupTable::Hersteller, &m_lookups.HerstellerLookup},
            {LookupTable::Zusatz, &m_lookups.ZusatzLookup},
            {LookupTable::Infogeber, &m_lookups.InfogeberLookup}};
        for (const auto &[table, list] : tables) {
            m_bar->addLookupItem(table, "Alle");
            for (const QByteArray &line : list->lines())
                m_bar->addLookupItem(table, line.left(line.indexOf('=')));
        }
        for (int section = 0; section < m_header->count(); ++section)
            m_bar->sectionResized(*m_header, section);
        m_bar->placeFilterControls(*m_header);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        focus(start);
        m_commits.clear();
        connect(m_bar.get(), &FilterBar::filtersCommitted, this,
                [this](const FilterState &filters) { m_commits.append(filters); });
    }

    void cleanup()
    {
        m_bar.reset();
        m_window.reset();
        QVERIFY(m_dialogs.shown().isEmpty());
    }

    void gesturesThatApplyTheFilters_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("commits");
        QTest::newRow("Enter in a text filter") << u"enter text"_s << 1;
        QTest::newRow("typing alone") << u"type"_s << 0;
        QTest::newRow("leaving a text filter") << u"leave text"_s << 1;
        QTest::newRow("opening a list is no leaving") << u"popup"_s << 0;
        QTest::newRow("a window switch is no leaving") << u"window switch"_s << 0;
        QTest::newRow("Enter in a lookup edit") << u"enter edit"_s << 1;
        QTest::newRow("leaving a lookup edit") << u"leave edit"_s << 1;
        QTest::newRow("leaving the organisation list") << u"leave TUEO"_s << 1;
        QTest::newRow("leaving the manufacturer list") << u"leave Hersteller"_s << 0;
        QTest::newRow("a choice in the change filter") << u"choose change"_s << 1;
        // The key applies the filters before it acts; the choice it makes, after.
        QTest::newRow("a key in a drop-down list") << u"key in list"_s << 2;
    }
    void gesturesThatApplyTheFilters()
    {
        QFETCH(QString, gesture);
        QFETCH(int, commits);
        auto *marke = control<QComboBox>("cmbFilterMarke");
        auto *edit = control<QLineEdit>("edtFilterZusatz");
        auto *other = control<QLineEdit>("edtFilterHersteller");
        if (gesture == u"enter text") {
            typeAndEnter(marke, u"fox"_s);
        } else if (gesture == u"type") {
            focus(marke);
            QTest::keyClicks(marke, u"fo"_s);
        } else if (gesture == u"leave text") {
            focus(marke);
            QTest::keyClicks(marke, u"fo"_s);
            focus(edit);
        } else if (gesture == u"popup" || gesture == u"window switch") {
            focus(marke);
            sendFocusOut(marke,
                         gesture == u"popup" ? Qt::PopupFocusReason : Qt::ActiveWindowFocusReason);
        } else if (gesture == u"enter edit") {
            focus(edit);
            QTest::keyClicks(edit, u"E1"_s);
            QTest::keyClick(edit, Qt::Key_Enter);
        } else if (gesture == u"leave edit") {
            focus(edit);
            focus(other);
        } else if (gesture == u"leave TUEO" || gesture == u"leave Hersteller") {
            focus(control<QComboBox>(gesture == u"leave TUEO" ? "cmbFilterTUEO"
                                                              : "cmbFilterHersteller"));
            focus(edit);
        } else if (gesture == u"choose change") {
            choose(control<QComboBox>("cmbFilterGeaendert"), 2);
        } else if (gesture == u"key in list") {
            auto *geaendert = control<QComboBox>("cmbFilterGeaendert");
            focus(geaendert);
            QTest::keyClick(geaendert, Qt::Key_G);
            QCOMPARE(geaendert->currentIndex(), 1);
        }
        QCOMPARE(m_commits.size(), commits);
        if (gesture == u"key in list") {
            QCOMPARE(m_commits.first().changeFilterIndex, 0);
            QCOMPARE(m_commits.last().changeFilterIndex, 1);
        }
        if (gesture == u"choose change")
            QCOMPARE(m_commits.first().changeFilterIndex, 2);
        if (gesture == u"enter text")
            QCOMPARE(m_commits.first().texts[1], QByteArray("fox"));
    }

    void textFiltersKeepAHistory()
    {
        auto *marke = control<QComboBox>("cmbFilterMarke");
        typeAndEnter(marke, u"fox"_s);
        typeAndEnter(marke, u"fox"_s);
        QCOMPARE(itemTexts(marke), QStringList{u"fox"_s});
        typeAndEnter(marke, u"FOX"_s);
        QCOMPARE(itemTexts(marke), QStringList{u"FOX"_s});
        typeAndEnter(marke, u"%ox"_s);
        QCOMPARE(itemTexts(marke), (QStringList{u"%ox"_s, u"FOX"_s}));
        QCOMPARE(marke->currentText(), u"%ox"_s);
        // Leaving records the text too.
        auto *nummer = control<QComboBox>("cmbFilterKennblattNr");
        focus(nummer);
        QTest::keyClicks(nummer, u"0"_s);
        focus(control<QLineEdit>("edtFilterTUEO"));
        QCOMPARE(itemTexts(nummer), QStringList{u"0"_s});
        QCOMPARE(m_commits.size(), 6); // leaving cmbFilterMarke counted too
    }

    void aLookupChoiceWritesTheKeyIntoItsEdit()
    {
        auto *combo = control<QComboBox>("cmbFilterHersteller");
        auto *edit = control<QLineEdit>("edtFilterHersteller");
        choose(combo, 2);
        QCOMPARE(edit->text(), u"ÖKO"_s);
        QVERIFY(edit->hasFocus());
        QCOMPARE(m_commits.size(), 1);
        QCOMPARE(m_commits.last().texts[3], QByteArray("\xd6KO"));
        choose(combo, 0);
        QCOMPARE(edit->text(), u"Alle"_s);
    }

    void resetClearsEveryFilterOnce()
    {
        typeAndEnter(control<QComboBox>("cmbFilterMarke"), u"fox"_s);
        choose(control<QComboBox>("cmbFilterTUEO"), 1);
        choose(control<QComboBox>("cmbFilterGeaendert"), 2);
        focus(m_window->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly));
        m_commits.clear();
        QTest::mouseClick(control<QPushButton>("btnLoeschen"), Qt::LeftButton);
        QCOMPARE(m_commits.size(), 1);
        QCOMPARE(m_commits.first(), FilterState{});
        QCOMPARE(control<QComboBox>("cmbFilterTUEO")->currentIndex(), 0);
        QCOMPARE(itemTexts(control<QComboBox>("cmbFilterMarke")), QStringList{u"fox"_s});
    }

    void controlsSitInTheirSections()
    {
        const auto geometry = [this](const char *name) {
            return control<QWidget>(name)->geometry();
        };
        QCOMPARE(geometry("cmbFilterKennblattNr"), QRect(0, 1, 148, 15));
        QCOMPARE(geometry("cmbFilterHersteller"), QRect(450, 1, 48, 15));
        QCOMPARE(geometry("edtFilterHersteller"), QRect(450, 1, 28, 15));
        QCOMPARE(geometry("btnLoeschen"), QRect(650, 1, 73, 21));
        QVERIFY(control<QWidget>("cmbFilterGeaendert")->isVisible());
        // Each edit lies over its list and leaves the list's button free.
        const QList<QObject *> order = m_header->children();
        QVERIFY(order.indexOf(control<QWidget>("edtFilterTUEO")) >
                order.indexOf(control<QWidget>("cmbFilterTUEO")));

        m_header->resizeSection(1, 180);
        m_bar->sectionResized(*m_header, 1);
        QCOMPARE(geometry("cmbFilterMarke").width(), 178);
        QCOMPARE(geometry("cmbFilterPulver").x(), 330);
        QCOMPARE(geometry("edtFilterTUEO"), QRect(580, 1, 28, 15));
        QCOMPARE(geometry("btnLoeschen").x(), 680);
        QCOMPARE(geometry("cmbFilterKennblattNr").width(), 148);
    }

    void dropDownListsOpenWide_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::newRow("change filter") << u"cmbFilterGeaendert"_s << 120;
        QTest::newRow("organisations") << u"cmbFilterTUEO"_s << 290;
        QTest::newRow("kinds") << u"cmbFilterZusatz"_s << 300;
        QTest::newRow("manufacturers") << u"cmbFilterHersteller"_s << 400;
    }
    void dropDownListsOpenWide()
    {
        QFETCH(QString, name);
        QFETCH(int, width);
        auto *combo = m_window->findChild<QComboBox *>(name);
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(combo->view()->minimumWidth(), width);
        QVERIFY(combo->view()->window()->width() >= width);
        combo->hidePopup();
    }

    void wheelActsOnlyOnTheFocusedList()
    {
        auto *combo = control<QComboBox>("cmbFilterHersteller");
        const auto wheel = [combo] {
            const QPointF centre = QRectF(combo->rect()).center();
            QWheelEvent event(centre, combo->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &event);
        };
        wheel();
        wheel();
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(m_commits.isEmpty());
        focus(combo);
        wheel();
        QCOMPARE(combo->currentIndex(), 1);
    }

    void listsShowAtMostTheirEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("visible");
        QTest::newRow("manufacturers") << u"cmbFilterHersteller"_s << 8;
        QTest::newRow("organisations") << u"cmbFilterTUEO"_s << 18;
        QTest::newRow("change filter") << u"cmbFilterGeaendert"_s << 3;
    }
    void listsShowAtMostTheirEntries()
    {
        QFETCH(QString, name);
        QFETCH(int, visible);
        for (int i = 0; i < 30; ++i) {
            m_bar->addLookupItem(LookupTable::Hersteller, "H" + QByteArray::number(i));
            m_bar->addLookupItem(LookupTable::Infogeber, "T" + QByteArray::number(i));
        }
        auto *combo = m_window->findChild<QComboBox *>(name);
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        QTRY_VERIFY(view->isVisible());
        QCOMPARE(view->visualRect(view->model()->index(1, 0)).height(), FilterItemHeight);
        const int entries = view->viewport()->height() / FilterItemHeight;
        QCOMPARE(entries, visible);
        combo->hidePopup();
    }

    void lookupItemsShowKeyAndNameOnABand()
    {
        auto *combo = control<OwnerDrawComboBox>("cmbFilterHersteller");
        QImage image(300, 12, QImage::Format_RGB32);
        const auto draw = [&](int index, bool selected) {
            image.fill(Qt::white);
            QPainter painter(&image);
            combo->drawItem(painter, {index, QRect(0, 0, 300, 12), selected, combo->palette()});
        };
        const auto bandHasText = [&] {
            for (int x = 40; x < 200; ++x) {
                if (image.pixelColor(x, 6) != image.pixelColor(298, 6))
                    return true;
            }
            return false;
        };
        draw(1, false);
        QCOMPARE(image.pixelColor(298, 6), QColor(192, 192, 192));
        QVERIFY(image.pixelColor(30, 6) != QColor(192, 192, 192));
        QVERIFY(bandHasText()); // the manufacturer's name
        draw(1, true);
        QCOMPARE(image.pixelColor(298, 6), QColor(0, 0, 255));
        draw(0, false); // "Alle" has no name
        QVERIFY(!bandHasText());
    }
};

QTEST_MAIN(TestFilterBar)
#include "tst_filterbar.moc"
