// "Kopie speichern" writes through a temporary file beside the target: a copy that fails, for
// want of room or of the right to write, leaves a file of the target's name as it was.
#include "documents/engine/core/documentcopy.h"
#include "testfiles.h"
#include "tmpfsmount.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray OldContent = "%PDF-1.4 die Datei, die schon da war\n";

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(20);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class TestDocumentCopy : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_source;
    QByteArray m_content;

private Q_SLOTS:
    void initTestCase()
    {
        // More than one chunk of the copy.
        m_content = randomBytes(2 * 1024 * 1024 + 4096);
        m_source = m_folder.filePath(u"Kennblatt 01234_05.pdf"_s);
        writeFile(m_source, m_content);
    }

    void copies_data()
    {
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("a new file") << false;
        QTest::newRow("over an existing file") << true;
    }
    void copies()
    {
        QFETCH(bool, targetExists);
        QTemporaryDir folder;
        const QString target = folder.filePath(u"Kopie.pdf"_s);
        if (targetExists)
            writeFile(target, OldContent);
        QCOMPARE(writeDocumentCopy(m_source, target), QString());
        QCOMPARE(readFile(target), m_content);
        QCOMPARE(filesIn(folder.path()), QStringList{u"Kopie.pdf"_s});
    }

    void aSourceThatCannotBeRead()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath(u"Kopie.pdf"_s);
        writeFile(target, OldContent);
        const QString missing = folder.filePath(u"fehlt.pdf"_s);
        QCOMPARE(writeDocumentCopy(missing, target),
                 u"Das Dokument „%1“ kann nicht gelesen werden."_s.arg(missing));
        QCOMPARE(readFile(target), OldContent);
    }

    // Only a user other than root sees a folder's permissions; CTest runs this case as one.
    void aFolderWithoutWriteAccess()
    {
        if (::geteuid() == 0)
            QSKIP("root may create files in any folder");
        QTemporaryDir folder;
        const QString target = folder.filePath(u"Kopie.pdf"_s);
        writeFile(target, OldContent);
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        const QString error = writeDocumentCopy(m_source, target);
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(error,
                 u"Die Kopie „%1“ konnte nicht geschrieben werden. In diesen Ordner darf "
                 u"nicht geschrieben werden. Die vorhandene Datei ist unverändert."_s.arg(target));
        QCOMPARE(readFile(target), OldContent);
        QCOMPARE(filesIn(folder.path()), QStringList{u"Kopie.pdf"_s});
    }

    void aFullDisk_data()
    {
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<qsizetype>("filler");
        QTest::newRow("a large copy") << qsizetype(2 * 1024 * 1024) << qsizetype(0);
        // Held in the file's buffer until the end.
        QTest::newRow("a small copy on an almost full disk")
            << qsizetype(10 * 1024) << qsizetype(52 * 1024);
    }
    void aFullDisk()
    {
        QFETCH(qsizetype, size);
        QFETCH(qsizetype, filler);
        SmallTmpfs disk;
        if (!disk.isMounted())
            QSKIP(disk.skipReason());
        const QString source = m_folder.filePath(u"Quelle.pdf"_s);
        writeFile(source, m_content.left(size));
        const QString target = disk.filePath(u"Kopie.pdf"_s);
        writeFile(target, OldContent);
        if (filler > 0)
            writeFile(disk.filePath(u"Füllung"_s), QByteArray(filler, 'x'));
        QCOMPARE(writeDocumentCopy(source, target),
                 u"Die Kopie „%1“ konnte nicht geschrieben werden. Auf dem Datenträger ist nicht "
                 u"genug Platz. Die vorhandene Datei ist unverändert."_s.arg(target));
        QCOMPARE(readFile(target), OldContent);
        QCOMPARE(filesIn(disk.path()).size(), filler > 0 ? 2 : 1);
    }
};

QTEST_GUILESS_MAIN(TestDocumentCopy)
#include "tst_documentcopy.moc"
