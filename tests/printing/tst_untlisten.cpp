#include "catalogue/tkennblattliste.h"
#include "platform/cp1252.h"
#include "printing/reportconnection.h"
#include "printing/untlisten.h"
#include "vectorcurrentlist.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The report host: its data connection over the current list, and that it never stays shown.
class TestUntListen : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    TKennblattListe m_catalogue;
    VectorCurrentList m_list;
    std::unique_ptr<TfrmReport> m_form;

    // Row numbers First and Next stop at, until EOF.
    QList<int> deliveredRows()
    {
        ReportConnection &connection = *m_form->ReportConnection1;
        QList<int> rows;
        bool eof = false;
        m_form->ReportConnection1First(connection);
        for (m_form->ReportConnection1EOF(connection, eof); !eof && rows.size() < 10;
             m_form->ReportConnection1EOF(connection, eof)) {
            rows.append(connection.rowNumber());
            m_form->ReportConnection1Next(connection);
        }
        rows.append(connection.rowNumber()); // where EOF answered true
        return rows;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_catalogue.Add("1.0", "Fox EV 50", "", "BOE", "E", "TUV", 2);
        m_catalogue.Add("2.1", Cp1252::fromUnicode(u"Thermanit Spezial Ä"), "UV 420 TT", "THY",
                        "UP", "SLV", 1);
        m_catalogue.Add("3.2", "Union K 52", "", "UNI", "MSG", "DB", 1);
        for (qint32 i = 0; i < m_catalogue.Count(); ++i)
            m_list.rows.push_back(&m_catalogue.Get(i));
        m_form = std::make_unique<TfrmReport>(m_dir.filePath(u"k.INI"_s), nullptr, &m_list);
    }

    void columnsInOrder()
    {
        const QList<ReportConnection::Column> columns = m_form->ReportConnection1->columns();
        QStringList names;
        QList<int> widths;
        for (const auto &column : columns) {
            names.append(column.name);
            widths.append(column.width);
            QCOMPARE(column.type, ReportConnection::FieldType::Text);
            QVERIFY(column.fullName.isEmpty() && column.description.isEmpty());
        }
        QCOMPARE(names, (QStringList{u"KBNr"_s, u"Marke"_s, u"Pulver"_s, u"Hersteller"_s,
                                     u"Zusatz"_s, u"TUEO"_s}));
        QCOMPARE(widths, (QList<int>{20, 30, 30, 30, 30, 10}));
    }

    void rowDelivery_data()
    {
        QTest::addColumn<bool>("nurMarkierte");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<QList<int>>("expected"); // the rows, then where EOF holds
        QTest::newRow("all rows") << false << QList<int>{1} << QList<int>{0, 1, 2, 3};
        QTest::newRow("marked 0 and 2") << true << QList<int>{0, 2} << QList<int>{0, 2, 3};
        QTest::newRow("marked 1 only") << true << QList<int>{1} << QList<int>{1, 3};
        QTest::newRow("none marked: EOF after First") << true << QList<int>{} << QList<int>{3};
    }

    void rowDelivery()
    {
        QFETCH(bool, nurMarkierte);
        QFETCH(QList<int>, marked);
        QFETCH(QList<int>, expected);
        m_list.marked = QSet<int>(marked.begin(), marked.end());
        m_form->NurMarkierte = nurMarkierte;
        m_form->ReportConnection1->setRowNumber(7); // First starts over whatever came before
        QCOMPARE(deliveredRows(), expected);
    }

    void rowValues()
    {
        ReportConnection &connection = *m_form->ReportConnection1;
        connection.setRowNumber(1);
        QStringList texts;
        for (const ReportConnection::Value &value : connection.row()) {
            texts.append(value.text);
            QVERIFY(!value.native.isValid());
        }
        // The change mark of the list row does not reach the report.
        QCOMPARE(texts, (QStringList{u"00002.01"_s, u"Thermanit Spezial Ä"_s, u"UV 420 TT"_s,
                                     u"THY"_s, u"UP"_s, u"SLV"_s}));
    }

    void noListNoRows()
    {
        TfrmReport form(m_dir.filePath(u"k.INI"_s), nullptr);
        bool eof = false;
        form.ReportConnection1First(*form.ReportConnection1);
        form.ReportConnection1EOF(*form.ReportConnection1, eof);
        QVERIFY(eof);
    }

    void rowTraceIsOffByDefault() { QVERIFY(!lcReportRows().isDebugEnabled()); }

    void showingClosesAtOnce()
    {
        m_form->show();
        QTRY_VERIFY(!m_form->isVisible());
    }
};

QTEST_MAIN(TestUntListen)
#include "tst_untlisten.moc"
