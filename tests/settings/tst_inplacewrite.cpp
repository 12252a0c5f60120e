// Writing a settings file over itself: what a write cut short leaves, and how the next read
// completes it from the journal in the user's state folder.
#include "settings/inplacewrite.h"
#include "settings/profilefile.h"
#include "settings/settingsfile.h"

#include "testfiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray shortContent = "[Einstellungen]\nTimerSplash=0\n[View]\nTUEOfilter=1\n";
const QByteArray longContent = "[Einstellungen]\nTimerSplash=0\n[View]\nTUEOfilter=12\n"
                               "[cmb_cmbFilterMarke]\nText=Fox\n1=Fox\n2=Union\n";

// A journal as a write of the file `realPath` from `before` to `after` leaves it: header, then
// both contents.
QByteArray journalOf(const QByteArray &realPath, const QByteArray &before, const QByteArray &after)
{
    return "KB-INPLACE-1\n" + realPath + '\n' + QByteArray::number(before.size()) + '\n' +
           QByteArray::number(after.size()) + '\n' + before + after;
}

QByteArray journal(const QString &path, const QByteArray &before, const QByteArray &after)
{
    return journalOf(QFile::encodeName(QFileInfo(path).canonicalFilePath()), before, after);
}

ino_t inode(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

class TestInPlaceWrite : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_ini;

    QString journalPath() const
    {
        return InPlaceWrite::journalPath(m_ini, SettingsFile::stateFolder());
    }

private Q_SLOTS:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir->filePath(u"state"_s)));
        m_ini = m_dir->filePath(u"kennblaetter.INI"_s);
    }

    void writeReplacesTheContentAndLeavesNoJournal_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("longer") << shortContent << longContent;
        QTest::newRow("shorter") << longContent << shortContent;
        QTest::newRow("emptied") << longContent << QByteArray();
    }
    void writeReplacesTheContentAndLeavesNoJournal()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        writeFile(m_ini, before);
        const ino_t was = inode(m_ini);
        QVERIFY(InPlaceWrite::write(m_ini, after));
        QCOMPARE(readFile(m_ini), after);
        QCOMPARE(inode(m_ini), was); // the same file, not a new one renamed over it
        QVERIFY(!journalPath().isEmpty());
        QVERIFY(!QFile::exists(journalPath()));
    }

    void writeNeedsAnExistingFile()
    {
        QVERIFY(!InPlaceWrite::write(m_ini, shortContent));
        QVERIFY(!QFile::exists(m_ini));
    }

    // Every state a write cut short can leave: the new bytes up to a point, the old after it,
    // and the new content not yet cut to its length.
    void aWriteCutShortIsCompleted_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("left");
        for (const bool growing : {true, false}) {
            const QByteArray before = growing ? shortContent : longContent;
            const QByteArray after = growing ? longContent : shortContent;
            const char *kind = growing ? "longer" : "shorter";
            QTest::addRow("%s, nothing written yet", kind) << before << after << before;
            QTest::addRow("%s, cut after 20 bytes", kind)
                << before << after << after.first(20) + before.sliced(20);
            if (growing) {
                QTest::addRow("%s, cut beyond the old end", kind)
                    << before << after << after.first(before.size() + 5);
            } else {
                QTest::addRow("%s, written but not yet shortened", kind)
                    << before << after << after + before.sliced(after.size());
            }
        }
    }
    void aWriteCutShortIsCompleted()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, left);
        writeFile(m_ini, left);
        QVERIFY(QDir().mkpath(SettingsFile::stateFolder()));
        writeFile(journalPath(), journal(m_ini, before, after));
        QVERIFY(InPlaceWrite::complete(m_ini));
        QCOMPARE(readFile(m_ini), after);
        QVERIFY(!QFile::exists(journalPath()));
        QVERIFY(!InPlaceWrite::complete(m_ini));
    }

    // The next start reads the settings through ProfileFile: it sees the whole new content.
    void readingTheFileCompletesIt()
    {
        writeFile(m_ini, longContent.first(30) + shortContent.sliced(30));
        QVERIFY(QDir().mkpath(SettingsFile::stateFolder()));
        writeFile(journalPath(), journal(m_ini, shortContent, longContent));
        const ProfileFile settings(m_ini);
        QCOMPARE(settings.readString("cmb_cmbFilterMarke", "2", {}), QByteArray("Union"));
        QCOMPARE(readFile(m_ini), longContent);
    }

    // A journal the file no longer fits is no reason to touch the file.
    void aJournalThatDoesNotFitIsDropped_data()
    {
        QTest::addColumn<QByteArray>("realPath"); // empty: the test's file
        QTest::addColumn<int>("cut");             // bytes missing at the journal's end
        QTest::addColumn<QByteArray>("file");
        const QByteArray changed = "[Einstellungen]\nTimerSplash=7\n";
        QTest::newRow("written by someone else since") << QByteArray() << 0 << changed;
        QTest::newRow("already complete") << QByteArray() << 0 << longContent;
        QTest::newRow("another file's")
            << QByteArray("/elsewhere/kennblaetter.INI") << 0 << shortContent;
        QTest::newRow("sizes beyond its length") << QByteArray() << 1 << shortContent;
    }
    void aJournalThatDoesNotFitIsDropped()
    {
        QFETCH(QByteArray, realPath);
        QFETCH(int, cut);
        QFETCH(QByteArray, file);
        writeFile(m_ini, file);
        QVERIFY(QDir().mkpath(SettingsFile::stateFolder()));
        const QByteArray bytes = realPath.isEmpty()
                                     ? journal(m_ini, shortContent, longContent)
                                     : journalOf(realPath, shortContent, longContent);
        writeFile(journalPath(), bytes.chopped(cut));
        QVERIFY(!InPlaceWrite::complete(m_ini));
        QCOMPARE(readFile(m_ini), file);
        QVERIFY(!QFile::exists(journalPath()));
    }

    void journalStaysWhileTheFileCannotBeWritten()
    {
        writeFile(m_ini, shortContent);
        QVERIFY(QDir().mkpath(SettingsFile::stateFolder()));
        writeFile(journalPath(), journal(m_ini, shortContent, longContent));
        QVERIFY(QFile::setPermissions(m_ini, QFile::ReadOwner));
        const bool root = QFileInfo(m_ini).isWritable(); // root writes read-only files
        QCOMPARE(InPlaceWrite::complete(m_ini), root);
        QCOMPARE(QFile::exists(journalPath()), !root);
        QVERIFY(QFile::setPermissions(m_ini, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(InPlaceWrite::complete(m_ini), !root);
        QCOMPARE(readFile(m_ini), longContent);
    }

    void journalsOfTwoFilesAreApart()
    {
        const QString second = m_dir->filePath(u"zweite.INI"_s);
        writeFile(m_ini, shortContent);
        writeFile(second, shortContent);
        QVERIFY(journalPath() != InPlaceWrite::journalPath(second, SettingsFile::stateFolder()));
        // A link leads to the same file and so to the same journal.
        const QString link = m_dir->filePath(u"link.INI"_s);
        QVERIFY(QFile::link(m_ini, link));
        QCOMPARE(InPlaceWrite::journalPath(link, SettingsFile::stateFolder()), journalPath());
    }
};

QTEST_GUILESS_MAIN(TestInPlaceWrite)
#include "tst_inplacewrite.moc"
