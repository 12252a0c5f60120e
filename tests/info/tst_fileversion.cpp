#include "info/fileversion.h"

#include "testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <elf.h>

using namespace Qt::StringLiterals;

namespace {

const QString VersionedProgram = QStringLiteral(VERSIONED_PROGRAM);

// `file` with `bytes` written over it at `at`.
QByteArray patched(QByteArray file, qsizetype at, const QByteArray &bytes)
{
    return file.replace(at, bytes.size(), bytes);
}

// A number as the file holds it.
template<typename Number>
QByteArray le(Number value)
{
    QByteArray bytes(sizeof value, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

struct Numbers
{
    bool found = false;
    quint16 n[4] = {};
};

Numbers numbersIn(const QByteArray &file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    Numbers result;
    result.found =
        GetFileVersionNumbers(buffer, result.n[0], result.n[1], result.n[2], result.n[3]);
    return result;
}

} // namespace

class TestFileVersion : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    // `content`, when not null, is written to a file first; otherwise `path` is read.
    void versionText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        const QByteArray program = readFile(VersionedProgram);
        const qsizetype record = program.indexOf("KBVERREC");
        const qsizetype name = program.indexOf(QByteArray(".kb_version", 12)); // with its 0
        QVERIFY(record > 0 && name > 0);

        QTest::newRow("file version, not product version")
            << QByteArray() << VersionedProgram << u"2.10.3 Build 1234"_s;
        QTest::newRow("running executable") << QByteArray() << QString() << u"1.0.0 Build 0"_s;
        QTest::newRow("no such file") << QByteArray() << m_dir.filePath(u"none"_s) << QString();
        QTest::newRow("a copy") << program << QString() << u"2.10.3 Build 1234"_s;
        QTest::newRow("record without fixed part")
            << patched(program, record + 12, le(quint32(0))) << QString() << u"0.0.0 Build 0"_s;
        QTest::newRow("text file") << QByteArray("Norvenz SZW\n") << QString() << QString();
        QTest::newRow("not ELF") << patched(program, 0, "\x89PNG") << QString() << QString();
        QTest::newRow("32-bit ELF") << patched(program, EI_CLASS, "\x01") << QString() << QString();
        QTest::newRow("big-endian ELF")
            << patched(program, EI_DATA, "\x02") << QString() << QString();
        QTest::newRow("no record section")
            << patched(program, name, ".kb_versioN") << QString() << QString();
        QTest::newRow("other marker")
            << patched(program, record, "KBVERREX") << QString() << QString();
        QTest::newRow("record larger than its section")
            << patched(program, record + 8, le(quint32(0x10000))) << QString() << QString();
        QTest::newRow("record smaller than its header")
            << patched(program, record + 8, le(quint32(8))) << QString() << QString();
        QTest::newRow("section headers beyond the end")
            << patched(program, offsetof(Elf64_Ehdr, e_shoff), le(quint64(program.size())))
            << QString() << QString();
    }

    void versionText()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, path);
        QFETCH(QString, text);
        if (!content.isNull()) {
            path = m_dir.filePath(u"copy"_s);
            writeFile(path, content);
        }
        QCOMPARE(GetFileVersionText(path), text);
    }

    // Cut at any length or with any byte of its headers broken, the file gives either no
    // record or the right one, and is never read outside its bytes.
    void damagedCopiesNeverMislead()
    {
        const QByteArray program = readFile(VersionedProgram);
        const auto rightOrNone = [](const Numbers &numbers) {
            return !numbers.found || (numbers.n[0] == 2 && numbers.n[1] == 10 &&
                                      numbers.n[2] == 3 && numbers.n[3] == 1234);
        };
        QVERIFY(numbersIn(program).found);
        for (qsizetype size = 0; size < program.size(); ++size) {
            const QByteArray cut = QByteArray::fromRawData(program.constData(), size);
            QVERIFY2(rightOrNone(numbersIn(cut)), qPrintable(QString::number(size)));
        }
        Elf64_Ehdr header;
        std::memcpy(&header, program.constData(), sizeof header);
        QList<qsizetype> headerBytes;
        for (qsizetype at = 0; at < qsizetype(sizeof header); ++at)
            headerBytes.append(at);
        for (quint64 at = header.e_shoff; at < quint64(program.size()); ++at)
            headerBytes.append(qsizetype(at));
        for (qsizetype at : std::as_const(headerBytes)) {
            QVERIFY2(rightOrNone(numbersIn(patched(program, at, "\xff"))),
                     qPrintable(QString::number(at)));
        }
    }
};

QTEST_GUILESS_MAIN(TestFileVersion)
#include "tst_fileversion.moc"
