#include "list/headercontrol.h"
#include "settings/profilefile.h"
#include "settings/windowstate.h"

#include <QComboBox>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestWindowState : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString iniPath() const { return m_dir.filePath(u"state.INI"_s); }

    void writeIni(const QByteArray &bytes)
    {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    static QWidget *window(const QString &name)
    {
        auto *w = new QWidget;
        w->setObjectName(name);
        w->setGeometry(100, 120, 300, 200);
        return w;
    }

private Q_SLOTS:
    void cleanup() { QFile::remove(iniPath()); }

    void readBoundsKeepsWhatIsMissing_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QRect>("bounds");
        QTest::newRow("no section")
            << QByteArray("[Other]\r\nLeft=5\r\n") << QRect(100, 120, 300, 200);
        QTest::newRow("width only")
            << QByteArray("[BoundsfrmTest]\r\nWidth=444\r\n") << QRect(100, 120, 444, 200);
        QTest::newRow("all four")
            << QByteArray("[boundsFRMtest]\r\nleft=7\r\nTop=8\r\nWidth=509\r\nHeight=310\r\n")
            << QRect(7, 8, 509, 310);
        QTest::newRow("not numbers") << QByteArray("[BoundsfrmTest]\r\nLeft=x\r\nHeight=0x10\r\n")
                                     << QRect(100, 120, 300, 16);
    }
    void readBoundsKeepsWhatIsMissing()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QRect, bounds);
        writeIni(ini);
        std::unique_ptr<QWidget> w(window(u"frmTest"_s));
        ProfileFile file(iniPath());
        QVERIFY(ReadBounds(file, *w));
        QCOMPARE(w->geometry(), bounds);
    }

    void boundsRoundTrip()
    {
        std::unique_ptr<QWidget> w(window(u"frmTest"_s));
        ProfileFile file(iniPath());
        QVERIFY(WriteBounds(file, *w));
        QCOMPARE(file.readInteger("BoundsfrmTest", "Left", 0), 100);
        QCOMPARE(file.readInteger("BoundsfrmTest", "Height", 0), 200);
        std::unique_ptr<QWidget> other(window(u"frmTest"_s));
        other->setGeometry(0, 0, 10, 10);
        QVERIFY(ReadBounds(file, *other));
        QCOMPARE(other->geometry(), w->geometry());
    }

    void columnsAreHeldWithinTheSectionLimits()
    {
        writeIni("[Columns_hcKopf]\r\n1=10\r\n2=77\r\n3=-5\r\n4=20000\r\n");
        HeaderControl header({{u"a"_s, 150, 40},
                              {u"b"_s, 150, 40},
                              {u"c"_s, 150, 0},
                              {u"d"_s, 50, 0},
                              {u"e"_s, 50, 20}});
        header.setObjectName(u"hcKopf"_s);
        QSignalSpy resized(&header, &QHeaderView::sectionResized);
        ProfileFile file(iniPath());
        QVERIFY(ReadColumns(file, header));
        QCOMPARE(header.sectionSize(0), 40);
        QCOMPARE(header.sectionSize(1), 77);
        QCOMPARE(header.sectionSize(2), 0);
        QCOMPARE(header.sectionSize(3), HeaderControl::MaximumSectionWidth);
        QCOMPARE(header.sectionSize(4), 50); // no key: keeps its width
        QCOMPARE(resized.count(), 0);        // no resize events

        QVERIFY(WriteColumns(file, header));
        QCOMPARE(file.readInteger("Columns_hcKopf", "1", 0), 40);
        QCOMPARE(file.readInteger("Columns_hcKopf", "5", 0), 50);
        QCOMPARE(file.readString("Columns_hcKopf", "6", "none"), QByteArray("none"));
    }

    void comboBoxKeepsAtMostTenItems_data()
    {
        QTest::addColumn<int>("itemCount");
        QTest::newRow("three items") << 3;
        QTest::newRow("twelve items") << 12;
        QTest::newRow("no items") << 0;
    }
    void comboBoxKeepsAtMostTenItems()
    {
        QFETCH(int, itemCount);
        writeIni("[cmb_cmbFilterMarke]\r\nText=alt\r\n1=a\r\n4=x\r\n10=y\r\n");
        QComboBox combo;
        combo.setObjectName(u"cmbFilterMarke"_s);
        combo.setEditable(true);
        for (int i = 0; i < itemCount; ++i)
            combo.addItem(u"Eintrag %1 ä"_s.arg(i));
        combo.setEditText(u"Fox ß"_s);
        ProfileFile file(iniPath());
        QVERIFY(WriteComboBox(file, combo));
        QCOMPARE(file.readString("cmb_cmbFilterMarke", "Text", {}), QByteArray("Fox \xdf"));
        for (int i = 0; i < 10; ++i) {
            const QByteArray key = QByteArray::number(i + 1);
            const QByteArray expected =
                i < itemCount ? "Eintrag " + QByteArray::number(i) + " \xe4" : QByteArray("absent");
            QCOMPARE(file.readString("cmb_cmbFilterMarke", key, "absent"), expected);
        }
        QCOMPARE(file.readString("cmb_cmbFilterMarke", "11", "absent"), QByteArray("absent"));
    }

    void failuresReturnFalseWithoutRaising()
    {
        writeIni("[BoundsfrmTest]\r\nLeft=1\r\n");
        QFile::setPermissions(iniPath(), QFile::ReadOwner);
        std::unique_ptr<QWidget> w(window(u"frmTest"_s));
        ProfileFile file(iniPath());
        QVERIFY(!WriteBounds(file, *w));
        QCOMPARE(file.readInteger("BoundsfrmTest", "Left", 0), 1);
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    }

    void aMissingFileIsCreated()
    {
        QVERIFY(!QFile::exists(iniPath()));
        std::unique_ptr<QWidget> w(window(u"frmReport"_s));
        ProfileFile settings(iniPath());
        QVERIFY(WriteBounds(settings, *w));
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.startsWith("[BoundsfrmReport]"));
        QCOMPARE(content.count('['), 1);
        std::unique_ptr<QWidget> other(window(u"frmReport"_s));
        other->move(0, 0);
        QVERIFY(ReadBounds(settings, *other));
        QCOMPARE(other->pos(), QPoint(100, 120));
    }
};

QTEST_MAIN(TestWindowState)
#include "tst_windowstate.moc"
