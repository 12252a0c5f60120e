// The settings as one user sees them: the installation's file, and the user's own file over
// it where the user cannot write the installation's.
#include "settings/layeredsettings.h"
#include "settings/settingsfile.h"

#include "testfiles.h"
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray installation = "[Einstellungen]\r\n"
                                "PfadZuMDEDatei=/srv/katalog/\r\n"
                                "TimerSplash=0\r\n"
                                "[View]\r\n"
                                "LetzteDruckliste=2\r\n"
                                "Aenderungsfilter=1\r\n";

constexpr QFile::Permissions ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr QFile::Permissions ReadWrite = ReadOnly | QFile::WriteOwner;
constexpr QFile::Permissions Folder =
    ReadOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

} // namespace

class TestLayeredSettings : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_folder; // the installation's folder
    QString m_ini;    // the installation's file
    QString m_user;   // the user's own file

    bool unprivileged() const { return ::geteuid() != 0; }

    // The folder as an administrator leaves it: readable only, the file in it too.
    void lockInstallation()
    {
        QVERIFY(QFile::setPermissions(m_ini, ReadOnly));
        QVERIFY(QFile::setPermissions(m_folder, Folder));
    }

private Q_SLOTS:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath(u"home/.config"_s)));
        m_folder = m_dir->filePath(u"opt"_s);
        QVERIFY(QDir().mkpath(m_folder));
        m_ini = m_folder + u"/kennblaetter.INI"_s;
        m_user = m_dir->filePath(u"home/.config/kennblaetter/kennblaetter.INI"_s);
    }

    void cleanup()
    {
        QFile::setPermissions(m_folder, Folder | QFile::WriteOwner);
        QFile::setPermissions(m_ini, ReadWrite);
    }

    void userFileIsInTheConfigurationFolder()
    {
        QCOMPARE(SettingsFile::userPath(), m_user);
        qputenv("XDG_CONFIG_HOME", "relativ/ignoriert");
        QCOMPARE(SettingsFile::userPath(),
                 QDir::homePath() + u"/.config/kennblaetter/kennblaetter.INI"_s);
    }

    void whoseFileIsWritten_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("personal");
        QTest::addColumn<bool>("writesViewState");
        QTest::newRow("portable folder") << true << true << true << false << true;
        QTest::newRow("read-only file") << true << false << true << true << true;
        // Written over in place, as before.
        QTest::newRow("file writable, folder not") << true << true << false << false << true;
        QTest::newRow("installed in /opt") << true << false << false << true << true;
        // The main window never creates the installation's file.
        QTest::newRow("no file, folder writable") << false << false << true << false << false;
        QTest::newRow("no file, folder not") << false << false << false << true << true;
    }
    void whoseFileIsWritten()
    {
        QFETCH(bool, fileExists);
        QFETCH(bool, fileWritable);
        QFETCH(bool, folderWritable);
        QFETCH(bool, personal);
        QFETCH(bool, writesViewState);
        if (!folderWritable && !unprivileged())
            QSKIP("root may write in any folder; the unprivileged run covers this");
        if (fileExists) {
            writeFile(m_ini, installation);
            QVERIFY(QFile::setPermissions(m_ini, fileWritable ? ReadWrite : ReadOnly));
        }
        if (!folderWritable)
            QVERIFY(QFile::setPermissions(m_folder, Folder));

        LayeredSettings settings(m_ini);
        QCOMPARE(settings.personal(), personal);
        QCOMPARE(settings.writePath(), personal ? m_user : m_ini);
        QCOMPARE(settings.writesViewState(), writesViewState);
        QVERIFY(!QFile::exists(m_user)); // deciding writes nothing
    }

    void readsKeyByKeyWritesToTheUsersFile()
    {
        writeFile(m_ini, installation);
        lockInstallation();
        LayeredSettings settings(m_ini);
        settings.writeInteger("View", "LetzteDruckliste", 3);
        settings.writeString("cmb_cmbFilterMarke", "Text", "Fox");

        QCOMPARE(readFile(m_ini), installation);
        QCOMPARE(readFile(m_user), QByteArray("[View]\r\nLetzteDruckliste=3\r\n"
                                              "[cmb_cmbFilterMarke]\r\nText=Fox\r\n"));
        LayeredSettings next(m_ini);
        QCOMPARE(next.readInteger("View", "LetzteDruckliste", 0), 3);    // the user's
        QCOMPARE(next.readInteger("view", "aenderungsfilter", 0), 1);    // the installation's
        QCOMPARE(next.readString("Einstellungen", "PfadZuMDEDatei", {}), // the installation's
                 QByteArray("/srv/katalog/"));
        QCOMPARE(next.readString("cmb_cmbFilterMarke", "Text", {}), QByteArray("Fox"));
        QCOMPARE(next.readInteger("View", "TUEOfilter", 7), 7); // in neither
    }

    // A key the user's file holds is the user's, whatever its value.
    void usersKeyHidesTheInstallationsEvenWhenNoNumber()
    {
        writeFile(m_ini, installation);
        lockInstallation();
        QVERIFY(QDir().mkpath(QFileInfo(m_user).path()));
        writeFile(m_user, "[Einstellungen]\nTimerSplash=abc\n");
        const LayeredSettings settings(m_ini);
        QCOMPARE(settings.readInteger("Einstellungen", "TimerSplash", 500), 500);
    }

    // The administrator changes the installation's file between two starts of a user.
    void administratorsLaterChangeReachesTheUser()
    {
        writeFile(m_ini, installation);
        lockInstallation();
        LayeredSettings(m_ini).writeInteger("View", "Aenderungsfilter", 2);

        QVERIFY(QFile::setPermissions(m_ini, ReadWrite));
        writeFile(m_ini, QByteArray(installation).replace("/srv/katalog/", "/srv/neu/"));
        QVERIFY(QFile::setPermissions(m_ini, ReadOnly));

        const LayeredSettings settings(m_ini);
        QCOMPARE(settings.readString("Einstellungen", "PfadZuMDEDatei", {}),
                 QByteArray("/srv/neu/"));
        QCOMPARE(settings.readInteger("View", "Aenderungsfilter", 0), 2);
    }

    void deletedKeyOfTheUserShowsTheInstallationsAgain()
    {
        writeFile(m_ini, installation);
        lockInstallation();
        LayeredSettings settings(m_ini);
        settings.writeInteger("View", "LetzteDruckliste", 3);
        settings.deleteKey("View", "LetzteDruckliste");
        QCOMPARE(settings.readInteger("View", "LetzteDruckliste", 0), 2);
        QCOMPARE(readFile(m_ini), installation);
    }

    void writesAtOnceGoToTheUsersFileOnce()
    {
        writeFile(m_ini, installation);
        lockInstallation();
        LayeredSettings settings(m_ini);
        settings.writeAtOnce([&] {
            settings.writeInteger("BoundsfrmMain", "Left", 10);
            settings.writeInteger("BoundsfrmMain", "Top", 20);
            QVERIFY(!QFile::exists(m_user)); // collected, not yet written
        });
        QCOMPARE(readFile(m_user), QByteArray("[BoundsfrmMain]\r\nLeft=10\r\nTop=20\r\n"));
    }

    // Where the user's folder cannot be made, the write fails naming the user's file.
    void unwritableUsersFileRaisesTheWriteError()
    {
        writeFile(m_ini, installation);
        lockInstallation();
        QVERIFY(QDir().mkpath(m_dir->filePath(u"home"_s)));
        writeFile(m_dir->filePath(u"home/.config"_s), "a file where the folder should be");
        LayeredSettings settings(m_ini);
        QCOMPARE(errorOf([&] { settings.writeInteger("View", "TUEOfilter", 1); }),
                 u"In "_s + m_user + u" kann nicht geschrieben werden"_s);
        QCOMPARE(readFile(m_ini), installation);
    }
};

QTEST_GUILESS_MAIN(TestLayeredSettings)
#include "tst_layeredsettings.moc"
