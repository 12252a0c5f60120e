// The settings file survives a kill at any moment of the closing write-back. A child process
// (forked from this one) writes the view state back again and again, alternating between two
// states of different length, and is killed at a random moment of its next three write-backs; the
// file must then never be empty nor shorter than both states, and must read, once opened again, as
// one whole state with every key of "Einstellungen". Both ways of writing are covered: a new file
// renamed over the old one (folder writable) and the file written over in place (folder not
// writable, which binds only a user other than root).
#include "settings/inplacewrite.h"
#include "settings/layeredsettings.h"
#include "settings/profilefile.h"
#include "settings/settingsfile.h"
#include "settings/settingskeys.h"

#include "testfiles.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr int Kills = 200;

const QList<std::pair<QByteArray, QByteArray>> einstellungen = {
    {"PfadZuMDEDatei", "/srv/kennbl\xe4tter/"},
    {"PfadZuPDFDateien", "/srv/kennbl\xe4tter/pdf/"},
    {"TimerSplash", "500"},
    {"FilterImmerAlsTeilString", "0"},
    {"NamePDFDeckblatt", "Deckblatt.pdf"},
    {"NamePDFPraegeliste", "Pr\xe4geliste.pdf"},
};

QByteArray installationFile()
{
    QByteArray text = "; Einstellungen der Installation\r\n[Einstellungen]\r\n";
    for (const auto &[key, value] : einstellungen)
        text += key + '=' + value + "\r\n";
    return text;
}

// What the main window's closing steps write, in their order; the two variants differ in every
// value and in the number of history items, so that the file grows and shrinks in turn.
void writeBack(SettingsStore &settings, int variant)
{
    const int v = variant % 2;
    const QByteArray bounds = "BoundsfrmMain";
    settings.writeInteger(bounds, "Left", v ? -4 : 0);
    settings.writeInteger(bounds, "Top", v ? -4 : 0);
    settings.writeInteger(bounds, "Width", v ? 1928 : 1280);
    settings.writeInteger(bounds, "Height", v ? 1048 : 1024);
    for (int i = 1; i <= 7; ++i)
        settings.writeInteger("Columns_hcKopf", QByteArray::number(i), v ? 40 + i : 100 + 10 * i);
    for (const QByteArrayView key :
         {SettingsKeys::LetzteDruckliste, SettingsKeys::Aenderungsfilter,
          SettingsKeys::Zusatzfilter, SettingsKeys::Herstellerfilter, SettingsKeys::TUEOfilter})
        settings.writeInteger(SettingsKeys::View, key, v ? -1 : 2);
    const int items = v ? 2 : 10;
    for (const char *combo : {"KennblattNr", "Marke", "Pulver"}) {
        const QByteArray section = QByteArray("cmb_cmbFilter") + combo;
        settings.writeString(section, "Text", v ? "" : "Fox EV 50 \xd6ko");
        for (int i = 0; i < 10; ++i) {
            const QByteArray key = QByteArray::number(i + 1);
            if (i < items)
                settings.writeString(section, key,
                                     QByteArray("Eintrag " + key + (v ? "" : " der Historie")));
            else
                settings.deleteKey(section, key);
        }
    }
}

void writeBackAtOnce(const QString &path, int variant)
{
    LayeredSettings settings(path);
    settings.writeAtOnce([&] { writeBack(settings, variant); });
}

// A child that writes back until it is killed. Its first write-back, slower in a fresh fork,
// only warms it up: the child's process id is returned once that is done, or -1.
pid_t startWritingChild(const QString &path)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        writeBackAtOnce(path, 0);
        if (::write(ready[1], "1", 1) != 1)
            ::_exit(1);
        for (int variant = 1;; ++variant)
            writeBackAtOnce(path, variant);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool warm = child > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    if (child > 0 && !warm) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        return -1;
    }
    return child;
}

} // namespace

class TestSettingsKill : public QObject
{
    Q_OBJECT

    // The three contents the file may hold: the installation's, then each state written back.
    QList<QByteArray> m_states;

    void killWhileWritingBack(bool folderWritable)
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath(u"opt"_s);
        QVERIFY(QDir().mkpath(folder));
        const QString ini = folder + u"/kennblaetter.INI"_s;
        writeFile(ini, installationFile());
        if (!folderWritable)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        // The child inherits where its journal goes.
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(u"state"_s)));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(u"config"_s)));
        const QString journal = InPlaceWrite::journalPath(ini, SettingsFile::stateFolder());

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const qsizetype shortest =
            std::min_element(m_states.cbegin(), m_states.cend(), [](const auto &a, const auto &b) {
                return a.size() < b.size();
            })->size();
        // How long one write-back takes here, so that the kills fall within the next three.
        QElapsedTimer timer;
        timer.start();
        for (int variant = 0; variant < 4; ++variant)
            writeBackAtOnce(ini, variant);
        const quint32 window = quint32(std::max<qint64>(timer.nsecsElapsed() * 3 / 4000, 1));
        writeFile(ini, installationFile());

        int cutShort = 0;
        for (int kill = 0; kill < Kills; ++kill) {
            const pid_t child = startWritingChild(ini);
            QVERIFY2(child > 0, "the writing child did not start");
            std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(window)));
            ::kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

            // As the kill left it, before anything reads it.
            const QByteArray left = readFile(ini);
            const QByteArray context =
                "kill " + QByteArray::number(kill) + ", seed " + QByteArray::number(seed);
            QVERIFY2(left.size() >= shortest,
                     QByteArray(context + ": " + QByteArray::number(left.size()) + " bytes left")
                         .constData());
            if (QFile::exists(journal))
                ++cutShort;
            // As the next start reads it.
            const ProfileFile read(ini);
            for (const auto &[key, value] : einstellungen)
                QVERIFY2(read.readString("Einstellungen", key, "<fehlt>") == value,
                         QByteArray(context + ": " + key).constData());
            QVERIFY2(m_states.contains(readFile(ini)),
                     QByteArray(context + ":\n" + readFile(ini)).constData());
        }
        qInfo("%d kills (seed %u); %d cut a write over the file short, completed when read", Kills,
              seed, cutShort);
        if (!folderWritable)
            QVERIFY2(cutShort > 0, "no kill came during a write: the test proved nothing");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ini = dir.filePath(u"kennblaetter.INI"_s);
        writeFile(ini, installationFile());
        m_states = {installationFile()};
        for (int variant = 0; variant < 4; ++variant) {
            writeBackAtOnce(ini, variant);
            m_states.append(readFile(ini));
        }
        // Each state comes back whole, whatever came before it.
        QCOMPARE(m_states[3], m_states[1]);
        QCOMPARE(m_states[4], m_states[2]);
        m_states.resize(3);
        QVERIFY(m_states[1].size() > m_states[2].size() + 100);
    }

    void killedWhileRenamingANewFileOverIt() { killWhileWritingBack(true); }

    void killedWhileWritingOverItInPlace()
    {
        if (::geteuid() == 0)
            QSKIP("root may create files in any folder; the unprivileged run covers this");
        killWhileWritingBack(false);
    }
};

QTEST_GUILESS_MAIN(TestSettingsKill)

#include "tst_settingskill.moc"
