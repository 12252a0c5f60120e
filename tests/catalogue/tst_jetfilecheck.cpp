#include "catalogue/jetfilecheck.h"
#include "catalogue/rowlosscheck.h"

#include <QByteArray>
#include <QTest>

#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

void putU16(QByteArray &page, qsizetype at, quint16 value)
{
    page[at] = char(value & 0xFF);
    page[at + 1] = char(value >> 8);
}

void putU32(QByteArray &page, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        page[at + i] = char((value >> (8 * i)) & 0xFF);
}

constexpr quint32 Definition = 3;

// A file of blank pages: 1 holds the usage map as its only row, the table's definition starts
// on page 3 and continues on the pages after it as far as it needs.
struct Image
{
    explicit Image(const JetFormat &format)
        : format(format)
        , pages(12, QByteArray(format.pageSize, '\0'))
    {
    }

    const JetFormat &format;
    std::vector<QByteArray> pages;

    JetFileCheck::PageReader reader() const
    {
        return [this](quint32 page) -> const unsigned char * {
            return page < pages.size()
                       ? reinterpret_cast<const unsigned char *>(pages[page].constData())
                       : nullptr;
        };
    }
    bool tableIsSound(std::vector<quint32> &dataPages) const
    {
        const JetFileCheck::PagesWithRows withRows(format, reader(), quint32(pages.size()));
        JetFileCheck::Definition table;
        const bool sound = JetFileCheck::tableIsSound(format, reader(), quint32(pages.size()),
                                                      Definition, withRows, table);
        dataPages = table.dataPages;
        return sound;
    }

    // A data page of `owner` with rows of the given slot values (free space as Jet keeps it).
    void setDataPage(quint32 page, quint32 owner, const QList<quint16> &slots)
    {
        QByteArray &p = pages[page];
        p.fill('\0');
        p[0] = 0x01;
        putU32(p, 4, owner);
        putU16(p, format.rowCountOffset, quint16(slots.size()));
        int lowest = int(format.pageSize);
        for (qsizetype i = 0; i < slots.size(); ++i) {
            putU16(p, format.firstSlotOffset() + 2 * i, slots[i]);
            lowest = qMin(lowest, slots[i] & 0x1FFF);
        }
        putU16(p, 2, quint16(lowest - format.firstSlotOffset() - 2 * slots.size()));
    }

    void setUsageMap(const QByteArray &map)
    {
        setDataPage(1, 0, {quint16(format.pageSize - map.size())});
        pages[1].replace(format.pageSize - map.size(), map.size(), map);
    }

    void setDefinition(int columns, const QList<int> &nameLengths, qint32 realIndexes = 0)
    {
        QByteArray bytes(format.firstEntryOffset, '\0');
        putU16(bytes, format.columnCountOffset, quint16(columns));
        putU16(bytes, format.columnNumberLimitOffset(), quint16(columns));
        putU16(bytes, format.variableColumnCountOffset(), quint16(columns));
        putU32(bytes, format.realIndexCountOffset, quint32(realIndexes));
        putU32(bytes, format.usageMapOffset, 1u << 8); // usage map: page 1, row 0
        bytes.append(QByteArray(qMax(0, realIndexes) * format.realIndexEntrySize, '\x11'));
        // Texts of 20 bytes, numbered in order.
        for (int i = 0; i < columns; ++i) {
            QByteArray entry(format.columnEntrySize, '\0');
            entry[0] = 0x0A;
            putU16(entry, format.entry.number, quint16(i));
            putU16(entry, format.entry.varIndex, quint16(i));
            putU16(entry, format.entry.length, 20);
            bytes.append(entry);
        }
        for (int length : nameLengths) {
            bytes.append(char(length & 0xFF));
            if (format.nameLengthSize == 2)
                bytes.append(char(length >> 8));
            bytes.append(QByteArray(length, 'n'));
        }
        quint32 page = Definition;
        for (qsizetype at = 0; at < bytes.size(); ++page) {
            const int start = page == Definition ? 0 : 8;
            const qsizetype piece = qMin<qsizetype>(bytes.size() - at, format.pageSize - start);
            pages[page].replace(start, piece, bytes.sliced(at, piece));
            pages[page][0] = 0x02;
            at += piece;
            putU32(pages[page], 4, at < bytes.size() ? page + 1 : 0);
        }
    }
};

QByteArray inlineMap(quint32 first, const QList<int> &bits)
{
    QByteArray map(5 + 64, '\0');
    putU32(map, 1, first);
    for (int bit : bits)
        map[5 + bit / 8] = char(map[5 + bit / 8] | (1 << (bit % 8)));
    return map;
}

QList<int> names(int count, int length)
{
    return QList<int>(count, length);
}

QByteArray firstPage(int version, qsizetype size = 2048)
{
    QByteArray page(size, '\0');
    page.replace(4, 15, "Standard Jet DB");
    page[0x14] = char(version);
    return page;
}

using Build = std::function<void(Image &)>;
using Rows = QList<QPair<int, int>>; // (page, slot)

} // namespace

class TestJetFileCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identify_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("readable"); // 3, 4, or 0 for neither
        QTest::addColumn<QString>("otherFormat");
        const QByteArray jet4 = firstPage(1);
        const QByteArray jet3 = firstPage(0);
        QTest::newRow("Jet 4, three pages") << jet4 << 3 * 4096ll << 4 << QString();
        QTest::newRow("Jet 4, two pages") << jet4 << 2 * 4096ll << 0 << QString();
        QTest::newRow("Jet 4, not whole pages") << jet4 << 3 * 4096ll + 2048 << 0 << QString();
        QTest::newRow("Jet 4, 2 GiB") << jet4 << (1ll << 31) << 4 << QString();
        QTest::newRow("Jet 4 beyond 2 GiB") << jet4 << (1ll << 31) + 4096 << 0 << QString();
        QTest::newRow("Jet 3, three pages") << jet3 << 3 * 2048ll << 3 << QString();
        QTest::newRow("Jet 3, not whole pages") << jet3 << 3 * 2048ll + 1 << 0 << QString();
        QTest::newRow("Jet 3 beyond 1 GiB") << jet3 << (1ll << 30) + 2048 << 0 << QString();
        QTest::newRow("short first page") << jet4.first(0x14) << 3 * 4096ll << 0 << QString();
        QByteArray data = jet4;
        data[0] = 0x01;
        QTest::newRow("first page is a data page") << data << 3 * 4096ll << 0 << QString();
        QTest::newRow("unknown version") << firstPage(7) << 3 * 4096ll << 0 << QString();
        QTest::newRow("Access 2007") << firstPage(2) << 3 * 4096ll << 0 << u"Access 2007 (ACCDB)"_s;
        QTest::newRow("Access 2019") << firstPage(6) << 3 * 4096ll << 0 << u"Access 2019 (ACCDB)"_s;
        QByteArray ace = firstPage(9);
        ace.replace(4, 15, "Standard ACE DB");
        QTest::newRow("ACE of an unknown version")
            << ace << 3 * 4096ll << 0 << u"Access 2007 oder neuer (ACCDB)"_s;
        QByteArray jet2 = jet3;
        jet2[0x40A] = 0x09;
        QTest::newRow("Access 2.0")
            << jet2 << 3 * 2048ll << 0 << u"Access 2.0 oder älter (Jet 2)"_s;
    }
    void identify()
    {
        QFETCH(QByteArray, start);
        QFETCH(qint64, size);
        QFETCH(int, readable);
        QFETCH(QString, otherFormat);
        const JetFileCheck::Identification file = JetFileCheck::identify(start, size);
        QCOMPARE(file.format, readable == 3 ? &Jet3Format : readable == 4 ? &Jet4Format : nullptr);
        QCOMPARE(file.otherFormat, otherFormat);
    }

    void definition_data()
    {
        QTest::addColumn<bool>("jet3");
        QTest::addColumn<Build>("build");
        QTest::addColumn<bool>("sound");
        QTest::newRow("on one page")
            << false << Build([](Image &i) { i.setDefinition(7, names(7, 20)); }) << true;
        QTest::newRow("over three pages")
            << false << Build([](Image &i) { i.setDefinition(255, names(255, 40), 32); }) << true;
        QTest::newRow("Jet 3, over several pages")
            << true << Build([](Image &i) { i.setDefinition(200, names(200, 40), 4); }) << true;
        QTest::newRow("continuation of another kind") << false << Build([](Image &i) {
            i.setDefinition(255, names(255, 40));
            i.pages[4][0] = 0x01;
        }) << false;
        QTest::newRow("Jet 3, continuation of another kind") << true << Build([](Image &i) {
            i.setDefinition(200, names(200, 40));
            i.pages[5][0] = 0x01;
        }) << false;
        QTest::newRow("continuation back to the first page") << false << Build([](Image &i) {
            i.setDefinition(255, names(255, 40));
            putU32(i.pages[4], 4, 3);
        }) << false;
        QTest::newRow("continuation beyond the file") << false << Build([](Image &i) {
            i.setDefinition(255, names(255, 40));
            putU32(i.pages[3], 4, 99);
        }) << false;
        // libmdb reads the next page when a read ends on the last byte of a page.
        const int lastName = 4096 - 63 - 16 * 25 - 16 * 2 - 15 * 225;
        QList<int> exact = names(15, 225);
        exact.append(lastName);
        QTest::newRow("ends on the page's last byte, next is page 0")
            << false << Build([exact](Image &i) { i.setDefinition(16, exact); }) << true;
        QTest::newRow("ends on the page's last byte, next beyond the file")
            << false << Build([exact](Image &i) {
                   i.setDefinition(16, exact);
                   putU32(i.pages[3], 4, 99);
               })
            << false;
        QTest::newRow("no column")
            << false << Build([](Image &i) { i.setDefinition(0, {}); }) << false;
        QTest::newRow("256 columns")
            << false << Build([](Image &i) { i.setDefinition(256, names(256, 2)); }) << false;
        QTest::newRow("negative index count")
            << false << Build([](Image &i) { i.setDefinition(1, names(1, 2), -1); }) << false;
        QTest::newRow("name of 257 bytes")
            << false << Build([](Image &i) { i.setDefinition(1, {257}); }) << false;
        QTest::newRow("not a definition page") << false << Build([](Image &i) {
            i.setDefinition(1, {2});
            i.pages[3][0] = 0x01;
        }) << false;
    }
    void definition()
    {
        QFETCH(bool, jet3);
        QFETCH(Build, build);
        QFETCH(bool, sound);
        Image image(jet3 ? Jet3Format : Jet4Format);
        image.setUsageMap(inlineMap(0, {}));
        build(image);
        std::vector<quint32> dataPages;
        QCOMPARE(image.tableIsSound(dataPages), sound);
    }

    // Pages 4 and 5 hold the table's rows, page 6 only rows marked deleted, page 7 another
    // table's rows; bitmap page 11 lists pages 4 and 5, bitmap page 10 the 33rd page of its
    // range. A map must list the pages with rows and may list page 6.
    void usageMap_data()
    {
        QTest::addColumn<QByteArray>("map");
        QTest::addColumn<QList<quint32>>("dataPages"); // empty when the table is damaged
        QTest::newRow("inline, pages 4 to 6") << inlineMap(4, {0, 1, 2}) << QList<quint32>{4, 5, 6};
        QTest::newRow("inline, pages 4 and 5") << inlineMap(4, {0, 1}) << QList<quint32>{4, 5};
        QTest::newRow("inline, page 5 left out") << inlineMap(4, {0, 2}) << QList<quint32>{};
        QTest::newRow("inline, no page") << inlineMap(0, {}) << QList<quint32>{};
        QTest::newRow("inline, another table's page")
            << inlineMap(4, {0, 1, 3}) << QList<quint32>{};
        QTest::newRow("inline, a blank page") << inlineMap(4, {0, 1, 5}) << QList<quint32>{};
        QTest::newRow("inline, a page beyond the end")
            << inlineMap(4, {0, 1, 8}) << QList<quint32>{};
        QTest::newRow("inline, far beyond the end")
            << inlineMap(4, {0, 1, 500}) << QList<quint32>{};
        QTest::newRow("inline, page 0") << inlineMap(0, {0, 4, 5}) << QList<quint32>{};
        QTest::newRow("4 bytes") << QByteArray(4, '\0') << QList<quint32>{};
        QTest::newRow("unknown type") << QByteArray("\x02\x04\0\0\0\x01", 6) << QList<quint32>{};
        QByteArray pointers(1 + 4 * 17, '\0');
        pointers[0] = 0x01;
        putU32(pointers, 1, 11); // bitmap page of pages 0 to 32735
        QTest::newRow("bitmap pages") << pointers << QList<quint32>{4, 5};
        QByteArray missingBitmap = pointers;
        putU32(missingBitmap, 5, 77);
        QTest::newRow("bitmap page beyond the end") << missingBitmap << QList<quint32>{};
        QByteArray tooFar = pointers;
        putU32(tooFar, 1, 0);
        putU32(tooFar, 5, 10); // second bitmap: pages from 32736 on
        QTest::newRow("bitmap lists pages beyond the end") << tooFar << QList<quint32>{};
    }
    void usageMap()
    {
        QFETCH(QByteArray, map);
        QFETCH(QList<quint32>, dataPages);
        Image image(Jet4Format);
        image.setDefinition(3, names(3, 10));
        for (quint32 page : {4, 5})
            image.setDataPage(page, Definition, {4000});
        image.setDataPage(6, Definition, {quint16(4000 | 0x4000), quint16(3900 | 0x8000)});
        image.setDataPage(7, 8, {4000});
        image.pages[10][0] = 0x05;
        image.pages[10][8] = 0x01;
        image.pages[11][0] = 0x05;
        image.pages[11][4] = 0x30;
        image.setUsageMap(map);
        std::vector<quint32> pages;
        const bool sound = image.tableIsSound(pages);
        QCOMPARE(sound, !dataPages.isEmpty());
        if (sound)
            QCOMPARE(QList<quint32>(pages.begin(), pages.end()), dataPages);
    }

    // libmdb's walk through pages 4 and 5 as the row check sees it: the rows delivered as
    // (page, slot), then the end of the table. Jet keeps a page's free space equal to the gap
    // between its slot table and its lowest row, so a slot count changed by damage shows.
    void rowLoss_data()
    {
        QTest::addColumn<QList<quint16>>("page5"); // slot values of page 5; page 4 is sound
        QTest::addColumn<int>("slotCount");        // stored on page 5 instead of the true one
        QTest::addColumn<Rows>("delivered");
        QTest::addColumn<bool>("sound");
        const QList<quint16> live = {4000, 3900, 3800};
        const Rows all = {{4, 0}, {4, 1}, {4, 2}, {5, 0}, {5, 1}, {5, 2}};
        QTest::newRow("every row") << live << -1 << all << true;
        QTest::newRow("a live row passed over")
            << live << -1 << Rows{{4, 0}, {4, 1}, {4, 2}, {5, 0}, {5, 2}} << false;
        QTest::newRow("the last rows passed over")
            << live << -1 << Rows{{4, 0}, {4, 1}, {4, 2}} << false;
        QTest::newRow("a live page passed over")
            << live << -1 << Rows{{5, 0}, {5, 1}, {5, 2}} << false;
        QTest::newRow("rows marked deleted passed over")
            << QList<quint16>{quint16(4000 | 0x4000), 3900, quint16(3800 | 0x8000)} << -1
            << Rows{{4, 0}, {4, 1}, {4, 2}, {5, 1}} << true;
        QTest::newRow("a page of deleted rows passed over")
            << QList<quint16>{quint16(4000 | 0xC000), quint16(3900 | 0x4000)} << -1
            << Rows{{4, 0}, {4, 1}, {4, 2}} << true;
        QTest::newRow("a row from a page the map does not list")
            << live << -1 << Rows{{4, 0}, {4, 1}, {4, 2}, {6, 0}} << false;
        QTest::newRow("a slot beyond the slot count")
            << live << -1 << Rows{{4, 0}, {4, 1}, {4, 2}, {5, 0}, {5, 1}, {5, 2}, {5, 3}} << false;
        QTest::newRow("one slot fewer")
            << live << 2 << Rows{{4, 0}, {4, 1}, {4, 2}, {5, 0}, {5, 1}} << false;
        QTest::newRow("one slot more") << live << 4 << all << false;
    }
    void rowLoss()
    {
        QFETCH(QList<quint16>, page5);
        QFETCH(int, slotCount);
        QFETCH(Rows, delivered);
        QFETCH(bool, sound);
        Image image(Jet4Format);
        image.setDataPage(4, Definition, {4000, 3900, 3800});
        image.setDataPage(5, Definition, page5);
        if (slotCount >= 0)
            putU16(image.pages[5], Jet4Format.rowCountOffset, quint16(slotCount));
        RowLossCheck check(Jet4Format, image.reader(), {4, 5}, 0); // no row count
        bool allSound = true;
        for (const auto &[page, slot] : delivered)
            allSound = allSound && check.delivered(quint32(page), slot);
        QCOMPARE(allSound && check.atEnd(), sound);
    }
};

QTEST_GUILESS_MAIN(TestJetFileCheck)
#include "tst_jetfilecheck.moc"
