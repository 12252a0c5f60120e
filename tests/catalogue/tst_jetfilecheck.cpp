#include "catalogue/jetfilecheck.h"

#include <QByteArray>
#include <QTest>

#include <functional>
#include <vector>

using JetFileCheck::PageSize;

namespace {

void putU16(QByteArray &page, int at, quint16 value)
{
    page[at] = char(value & 0xFF);
    page[at + 1] = char(value >> 8);
}

void putU32(QByteArray &page, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        page[at + i] = char((value >> (8 * i)) & 0xFF);
}

// A file of blank pages: 1 holds the usage map as its only row, the table's definition starts
// on page 3 and continues on the pages after it as far as it needs.
struct Image
{
    std::vector<QByteArray> pages = std::vector<QByteArray>(12, QByteArray(PageSize, '\0'));

    JetFileCheck::PageReader reader() const
    {
        return [this](quint32 page) -> const unsigned char * {
            return page < pages.size()
                       ? reinterpret_cast<const unsigned char *>(pages[page].constData())
                       : nullptr;
        };
    }
    bool tableIsSound() const
    {
        return JetFileCheck::tableIsSound(reader(), quint32(pages.size()), 3);
    }

    void setUsageMap(const QByteArray &map)
    {
        QByteArray &page = pages[1];
        page[0] = 0x01;
        putU16(page, 12, 1);
        putU16(page, 14, quint16(PageSize - map.size()));
        page.replace(PageSize - map.size(), map.size(), map);
    }

    void setDefinition(int columns, const QList<int> &nameLengths, qint32 realIndexes = 0)
    {
        QByteArray bytes(63, '\0');
        putU16(bytes, 45, quint16(columns));
        putU32(bytes, 51, quint32(realIndexes));
        putU32(bytes, 55, 1u << 8); // usage map: page 1, row 0
        bytes.append(QByteArray(qMax(0, realIndexes) * 12 + columns * 25, '\x11'));
        for (int length : nameLengths) {
            bytes.append(char(length & 0xFF)).append(char(length >> 8));
            bytes.append(QByteArray(length, 'n'));
        }
        int page = 3;
        for (qsizetype at = 0; at < bytes.size(); ++page) {
            const int start = page == 3 ? 0 : 8;
            const qsizetype piece = qMin<qsizetype>(bytes.size() - at, PageSize - start);
            pages[page].replace(start, piece, bytes.sliced(at, piece));
            pages[page][0] = 0x02;
            at += piece;
            putU32(pages[page], 4, at < bytes.size() ? quint32(page + 1) : 0);
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

} // namespace

class TestJetFileCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void header_data()
    {
        QTest::addColumn<QByteArray>("firstPage");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("sound");
        QByteArray jet4(PageSize, '\0');
        jet4[0x14] = 0x01;
        QTest::newRow("Jet 4, three pages") << jet4 << 3 * PageSize << true;
        QTest::newRow("two pages") << jet4 << 2 * PageSize << false;
        QTest::newRow("not whole pages") << jet4 << 3 * PageSize + 1 << false;
        QTest::newRow("2 GiB") << jet4 << JetFileCheck::MaxFileSize << true;
        QTest::newRow("beyond 2 GiB") << jet4 << JetFileCheck::MaxFileSize + PageSize << false;
        QTest::newRow("short first page") << jet4.first(100) << 3 * PageSize << false;
        QByteArray jet3 = jet4;
        jet3[0x14] = 0x00;
        QTest::newRow("Jet 3") << jet3 << 3 * PageSize << false;
        QByteArray accdb = jet4;
        accdb[0x14] = 0x02;
        QTest::newRow("Access 2007") << accdb << 3 * PageSize << false;
        QByteArray data = jet4;
        data[0] = 0x01;
        QTest::newRow("first page is a data page") << data << 3 * PageSize << false;
    }
    void header()
    {
        QFETCH(QByteArray, firstPage);
        QFETCH(qint64, size);
        QFETCH(bool, sound);
        QCOMPARE(JetFileCheck::headerIsSound(firstPage, size), sound);
    }

    void definition_data()
    {
        QTest::addColumn<std::function<void(Image &)>>("build");
        QTest::addColumn<bool>("sound");
        using Build = std::function<void(Image &)>;
        QTest::newRow("on one page")
            << Build([](Image &i) { i.setDefinition(7, names(7, 20)); }) << true;
        QTest::newRow("over three pages")
            << Build([](Image &i) { i.setDefinition(255, names(255, 40), 32); }) << true;
        QTest::newRow("continuation of another kind") << Build([](Image &i) {
            i.setDefinition(255, names(255, 40));
            i.pages[4][0] = 0x01;
        }) << false;
        QTest::newRow("continuation back to the first page") << Build([](Image &i) {
            i.setDefinition(255, names(255, 40));
            putU32(i.pages[4], 4, 3);
        }) << false;
        QTest::newRow("continuation beyond the file") << Build([](Image &i) {
            i.setDefinition(255, names(255, 40));
            putU32(i.pages[3], 4, 99);
        }) << false;
        // libmdb reads the next page when a read ends on the last byte of a page.
        const int lastName = PageSize - 63 - 16 * 25 - 16 * 2 - 15 * 225;
        QList<int> exact = names(15, 225);
        exact.append(lastName);
        QTest::newRow("ends on the page's last byte, next is page 0")
            << Build([exact](Image &i) { i.setDefinition(16, exact); }) << true;
        QTest::newRow("ends on the page's last byte, next beyond the file")
            << Build([exact](Image &i) {
                   i.setDefinition(16, exact);
                   putU32(i.pages[3], 4, 99);
               })
            << false;
        QTest::newRow("no column") << Build([](Image &i) { i.setDefinition(0, {}); }) << false;
        QTest::newRow("256 columns")
            << Build([](Image &i) { i.setDefinition(256, names(256, 2)); }) << false;
        QTest::newRow("negative index count")
            << Build([](Image &i) { i.setDefinition(1, names(1, 2), -1); }) << false;
        QTest::newRow("name of 257 bytes")
            << Build([](Image &i) { i.setDefinition(1, {257}); }) << false;
        QTest::newRow("not a definition page") << Build([](Image &i) {
            i.setDefinition(1, {2});
            i.pages[3][0] = 0x01;
        }) << false;
    }
    void definition()
    {
        QFETCH(std::function<void(Image &)>, build);
        QFETCH(bool, sound);
        Image image;
        image.setUsageMap(inlineMap(10, {0}));
        build(image);
        QCOMPARE(image.tableIsSound(), sound);
    }

    void usageMap_data()
    {
        QTest::addColumn<QByteArray>("map");
        QTest::addColumn<bool>("sound");
        QTest::newRow("inline, pages 9 to 11") << inlineMap(9, {0, 1, 2}) << true;
        QTest::newRow("inline, empty table") << inlineMap(0, {}) << true;
        QTest::newRow("inline, a page beyond the end") << inlineMap(9, {0, 3}) << false;
        QTest::newRow("inline, far beyond the end") << inlineMap(5000, {0}) << false;
        QTest::newRow("inline, page 0") << inlineMap(0, {0}) << false;
        QTest::newRow("4 bytes") << QByteArray(4, '\0') << false;
        QTest::newRow("unknown type") << QByteArray("\x02\x09\0\0\0\x01", 6) << false;
        QByteArray pointers(1 + 4 * 17, '\0');
        pointers[0] = 0x01;
        putU32(pointers, 1, 11); // bitmap page of pages 0 to 32735
        QTest::newRow("bitmap pages") << pointers << true;
        QByteArray missingBitmap = pointers;
        putU32(missingBitmap, 5, 77);
        QTest::newRow("bitmap page beyond the end") << missingBitmap << false;
        QByteArray tooFar = pointers;
        putU32(tooFar, 1, 0);
        putU32(tooFar, 5, 10); // second bitmap: pages from 32736 on
        QTest::newRow("bitmap lists pages beyond the end") << tooFar << false;
    }
    void usageMap()
    {
        QFETCH(QByteArray, map);
        QFETCH(bool, sound);
        Image image;
        image.setDefinition(3, names(3, 10));
        image.pages[10][8] = 0x01; // bitmap page 10 lists the 33rd page of its range
        image.pages[11][4] = 0x30; // bitmap page 11 lists pages 4 and 5
        image.setUsageMap(map);
        QCOMPARE(image.tableIsSound(), sound);
    }
};

QTEST_GUILESS_MAIN(TestJetFileCheck)
#include "tst_jetfilecheck.moc"
