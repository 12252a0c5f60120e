#include "platform/cp1252.h"
#include "settings/programsettings.h"
#include "settings/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameRule_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("settings");
        QTest::newRow("no extension") << u"/opt/kb/kennblaetter"_s << u"/opt/kb/kennblaetter.INI"_s;
        QTest::newRow("dot in folder") << u"/opt/k.b/viewer.exe"_s << u"/opt/k.b/viewer.INI"_s;
        QTest::newRow("dot in folder only") << u"/opt/k.b/viewer"_s << u"/opt/k.b/viewer.INI"_s;
        QTest::newRow("last dot counts")
            << u"/opt/kb/viewer.tar.gz"_s << u"/opt/kb/viewer.tar.INI"_s;
        QTest::newRow("trailing dot") << u"/opt/kb/viewer."_s << u"/opt/kb/viewer.INI"_s;
        QTest::newRow("name is all extension") << u"/opt/kb/.viewer"_s << u"/opt/kb/.INI"_s;
        QTest::newRow("upper-case extension") << u"/opt/kb/VIEWER.EXE"_s << u"/opt/kb/VIEWER.INI"_s;
        QTest::newRow("umlaut") << u"/opt/Kennblätter/kennblätter"_s
                                << u"/opt/Kennblätter/kennblätter.INI"_s;
        QTest::newRow("no folder") << u"viewer.exe"_s << u"viewer.INI"_s;
    }
    void nameRule()
    {
        QFETCH(QString, executable);
        QFETCH(QString, settings);
        QCOMPARE(SettingsFile::pathForExecutable(executable), settings);
    }

    void runningProgramUsesItsOwnName()
    {
        QCOMPARE(SettingsFile::path(),
                 QCoreApplication::applicationDirPath() + u"/tst_settingsfile.INI"_s);
    }

    void folderWithSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << u"/opt/kb"_s << QByteArray("/opt/kb/");
        QTest::newRow("root") << u"/"_s << QByteArray("/");
        QTest::newRow("umlaut as CP1252")
            << u"/opt/Kennblätter"_s << QByteArray("/opt/Kennbl\xe4tter/");
        QTest::newRow("no CP1252 form") << u"/opt/日本"_s << QByteArray("/opt/?\?/");
    }
    void folderWithSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QByteArray, bytes);
        QCOMPARE(::folderWithSeparator(folder), bytes);
    }

    void defaultFolderIsTheExecutablesFolder()
    {
        QCOMPARE(Cp1252::toUnicode(defaultFolder()), QCoreApplication::applicationDirPath() + u'/');
    }

    void joinedPathsFindTheFile()
    {
        // The database file's name carries an umlaut; the folder may or may not end in "/".
        QTemporaryDir dir(QDir::tempPath() + u"/Kennblätter-XXXXXX"_s);
        QVERIFY(dir.isValid());
        const QByteArray name = "Norvenz SZW Kennbl\xe4tter.mde";
        QFile file(dir.filePath(u"Norvenz SZW Kennblätter.mde"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QByteArray folder = ::folderWithSeparator(dir.path());
        QVERIFY(QFileInfo(joinPath(folder, name)).isFile());
        QVERIFY(QFileInfo(joinPath(folder.chopped(1), name)).isFile());
        QCOMPARE(joinPath("pdf", "01234_05.pdf"), u"pdf/01234_05.pdf"_s);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
