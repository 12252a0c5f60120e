#include "settings/profilefile.h"

#include "platform/apperror.h"

#include "testfiles.h"
#include "tmpfsmount.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <functional>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray fallback = "DEFAULT";

QString cannotWrite(const QString &path)
{
    return u"In "_s + path + u" kann nicht geschrieben werden"_s;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A settings file as written on Windows: CRLF, comments, blank lines, quotes, an umlaut.
const QByteArray windowsFile = "; Norvenz SZW\r\n"
                               "\r\n"
                               "[Einstellungen]\r\n"
                               "PfadZuMDEDatei = \"C:\\Daten\\\"\r\n"
                               "NamePDFPraegeliste=Pr\xe4geliste.pdf\r\n"
                               "\r\n"
                               "[View]\r\n"
                               "; Auswahl beim Beenden\r\n"
                               "  Aenderungsfilter = 1\r\n"
                               "TUEOfilter=2\r\n"
                               "\r\n"
                               "[Columns_hcKopf]\r\n"
                               "1=80\r\n";

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    QString m_ini;

    // Writes `text` to a fresh settings file and returns a profile file on it.
    ProfileFile withFile(const QByteArray &text)
    {
        writeFile(m_ini, text);
        return ProfileFile(m_ini);
    }

private Q_SLOTS:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        m_ini = m_dir->filePath(u"kennblaetter.INI"_s);
    }

    void readString_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        auto row = [](const char *name, const QByteArray &text, const char *section,
                      const char *key, const QByteArray &expected) {
            QTest::newRow(name) << text << QByteArray(section) << QByteArray(key) << expected;
        };
        row("plain", "[S]\r\nk=v\r\n", "S", "k", "v");
        row("blanks around value", "[S]\nk = \t v  w \t\n", "S", "k", "v  w");
        row("value holds =", "[S]\nk=a=b\n", "S", "k", "a=b");
        row("empty value is no default", "[S]\nk=\n", "S", "k", "");
        row("double quotes", "[S]\nk= \" v \" \n", "S", "k", " v ");
        row("single quotes", "[S]\nk='v'\n", "S", "k", "v");
        row("one pair only", "[S]\nk=\"\"v\"\"\n", "S", "k", "\"v\"");
        row("quotes must match", "[S]\nk=\"v'\n", "S", "k", "\"v'");
        row("lone quote", "[S]\nk=\"\n", "S", "k", "\"");
        row("quotes around nothing", "[S]\nk=\"\"\n", "S", "k", "");
        row("single quotes around nothing", "[S]\nk=''\n", "S", "k", "");
        row("backslashes are plain", windowsFile, "Einstellungen", "PfadZuMDEDatei", "C:\\Daten\\");
        row("letter case of names", windowsFile, "vIEW", "AENDERUNGSFILTER", "1");
        row("umlaut value", windowsFile, "einstellungen", "namepdfpraegeliste",
            "Pr\xe4geliste.pdf");
        row("umlauts are not folded", "[S]\n\xc4=v\n", "S", "\xe4", fallback);
        row("blanks around names", " \t[ S ] \n  k  =v\n", " S", "k ", "v");
        row("text after header", "[S] ; note\nk=v\n", "S", "k", "v");
        row("first duplicate section", "[S]\nk=1\n[T]\n[s]\nk=2\nj=3\n", "S", "k", "1");
        row("keys of later duplicate unseen", "[S]\nk=1\n[s]\nj=3\n", "S", "j", fallback);
        row("first duplicate key", "[S]\nk=1\nK=2\n", "S", "k", "1");
        row("comments", "[S]\n;k=1\n \t;k=2\nk=3\n", "S", "k", "3");
        row("line without =", "[S]\nk\nk=2\n", "S", "k", "2");
        row("header without ]", "[S]\n[T\nk=1\n", "S", "k", "1");
        row("key before any section", "k=1\n[S]\n", "S", "k", fallback);
        row("missing section", "[T]\nk=1\n", "S", "k", fallback);
        row("no final newline", "[S]\nk=last", "S", "k", "last");
        row("NUL bytes are blanks", QByteArray("\0[S]\0\nk=\0v\0\n", 12), "S", "k", "v");
        row("lone CR stays in the line", "[S]\rk=1\n", "S", "k", fallback);
    }
    void readString()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        QCOMPARE(withFile(text).readString(section, key, fallback), expected);
    }

    void readInteger_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<qint32>("expected");
        const qint32 def = 77;
        const qint32 min = std::numeric_limits<qint32>::min();
        const qint32 max = std::numeric_limits<qint32>::max();
        QTest::newRow("hex") << QByteArray("0X3e8") << 1000;
        QTest::newRow("hex all ones") << QByteArray("0xFFFFFFFF") << -1;
        QTest::newRow("hex sign bit") << QByteArray("0x80000000") << min;
        QTest::newRow("hex leading zeros") << QByteArray("0x0000000001") << 1;
        QTest::newRow("hex nine digits") << QByteArray("0x100000000") << def;
        QTest::newRow("hex prefix alone") << QByteArray("0x") << def;
        QTest::newRow("hex with sign") << QByteArray("0x-1") << def;
        QTest::newRow("hex bad digit") << QByteArray("0x1G") << def;
        QTest::newRow("sign before hex") << QByteArray("-0x10") << def;
        QTest::newRow("dollar hex") << QByteArray("$10") << def;
        QTest::newRow("decimal") << QByteArray("5") << 5;
        QTest::newRow("quoted") << QByteArray("\"5\"") << 5;
        QTest::newRow("quoted hex") << QByteArray("'0x10'") << 16;
        QTest::newRow("minus one") << QByteArray("-1") << -1;
        QTest::newRow("plus") << QByteArray("+12") << 12;
        QTest::newRow("maximum") << QByteArray("2147483647") << max;
        QTest::newRow("minimum") << QByteArray("-2147483648") << min;
        QTest::newRow("overflow") << QByteArray("2147483648") << def;
        QTest::newRow("underflow") << QByteArray("-2147483649") << def;
        QTest::newRow("many digits") << QByteArray(40, '9') << def;
        QTest::newRow("letters") << QByteArray("abc") << def;
        QTest::newRow("trailing junk") << QByteArray("5x") << def;
        QTest::newRow("inner blank") << QByteArray("5 0") << def;
        QTest::newRow("empty") << QByteArray() << def;
    }
    void readInteger()
    {
        QFETCH(QByteArray, value);
        QFETCH(qint32, expected);
        const ProfileFile file = withFile("[Einstellungen]\r\nTimerSplash = " + value + "\r\n");
        QCOMPARE(file.readInteger("Einstellungen", "TimerSplash", 77), expected);
        QCOMPARE(file.readInteger("Einstellungen", "Fehlt", 77), 77);
    }

    void valuesAreCutAt2047Characters()
    {
        const QByteArray longText(3000, 'a');
        const QByteArray exact(2047, 'b');
        const ProfileFile file = withFile("[S]\nlong=" + longText + "\nquoted=\"" + exact + "\"\n");
        QCOMPARE(file.readString("S", "long", {}), longText.left(2047));
        QCOMPARE(file.readString("S", "quoted", {}), exact);
    }

    void missingFileGivesDefaultsAndStaysMissing()
    {
        const ProfileFile file(m_ini);
        QCOMPARE(file.path(), m_ini);
        QCOMPARE(file.readString("View", "k", fallback), fallback);
        QCOMPARE(file.readInteger("View", "k", 500), 500);
        QVERIFY(!QFileInfo::exists(m_ini));
    }

    void edits_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value"); // null: delete the key
        QTest::addColumn<QByteArray>("after");
        const QByteArray w = windowsFile;
        auto row = [](const char *name, const QByteArray &before, const char *section,
                      const char *key, const char *value, const QByteArray &after) {
            QTest::newRow(name) << before << QByteArray(section) << QByteArray(key)
                                << QByteArray(value) << after;
        };
        row("replace keeps key spelling and spacing", w, "view", "AENDERUNGSFILTER", "-1",
            QByteArray(w).replace("Aenderungsfilter = 1", "Aenderungsfilter = -1"));
        row("replace value in quotes", w, "Einstellungen", "PfadZuMDEDatei", "/opt/kb/",
            QByteArray(w).replace("\"C:\\Daten\\\"", "/opt/kb/"));
        row("new key after the section's last key", w, "View", "Zusatzfilter", "3",
            QByteArray(w).replace("TUEOfilter=2\r\n", "TUEOfilter=2\r\nZusatzfilter=3\r\n"));
        row("new section at the end", w, "BoundsfrmReport", "Left", "10",
            w + "[BoundsfrmReport]\r\nLeft=10\r\n");
        row("umlaut value", w, "cmb_cmbFilterMarke", "Text", "\xd6l",
            w + "[cmb_cmbFilterMarke]\r\nText=\xd6l\r\n");
        row("line breaks in a value become blanks", "[S]\nk=1\n", "S", "k", "a\r\n[T]\nb",
            "[S]\nk=a  [T] b\n");
        row("key into section without keys", "[S]\n; c\n[T]\nx=1\n", "S", "k", "v",
            "[S]\nk=v\n; c\n[T]\nx=1\n");
        row("LF file gets LF", "[S]\nx=1\n", "T", "k", "v", "[S]\nx=1\n[T]\nk=v\n");
        row("empty value replaced", "[S]\nk=\n", "S", "k", "7", "[S]\nk=7\n");
        row("last key without newline", "[S]\nx=1", "S", "k", "v", "[S]\nx=1\nk=v\n");
        row("header without newline", "[S]", "S", "k", "v", "[S]\r\nk=v\r\n");
        row("new section after missing newline", "[S]\nx=1", "T", "k", "v", "[S]\nx=1\n[T]\nk=v\n");
        row("empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n");
        row("first of duplicate sections", "[S]\nx=1\n[S]\nx=2\n", "s", "k", "v",
            "[S]\nx=1\nk=v\n[S]\nx=2\n");
        row("first of duplicate keys", "[S]\nx=1\nX=2\n", "S", "x", "9", "[S]\nx=9\nX=2\n");
        row("delete", w, "VIEW", "aenderungsfilter", nullptr,
            QByteArray(w).replace("  Aenderungsfilter = 1\r\n", ""));
        row("delete first of duplicate keys", "[S]\nx=1\nX=2\n", "S", "x", nullptr, "[S]\nX=2\n");
        row("delete last line without newline", "[S]\nx=1\ny=2", "S", "y", nullptr, "[S]\nx=1\n");
        row("delete missing key", w, "View", "Zusatzfilter", nullptr, w);
    }
    void edits()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, after);
        ProfileFile file = withFile(before);
        if (value.isNull())
            file.deleteKey(section, key);
        else
            file.writeString(section, key, value);
        QCOMPARE(contents(m_ini), after);
        // What this object keeps must agree with what a fresh reader sees.
        const QByteArray expected = ProfileFile(m_ini).readString(section, key, fallback);
        QCOMPARE(file.readString(section, key, fallback), expected);
    }

    void writeCreatesTheFile()
    {
        ProfileFile file(m_ini);
        file.deleteKey("BoundsfrmReport", "Left");
        QVERIFY(!QFileInfo::exists(m_ini));
        file.writeInteger("BoundsfrmReport", "Left", -10);
        file.writeInteger("BoundsfrmReport", "Top", std::numeric_limits<qint32>::min());
        QCOMPARE(contents(m_ini), "[BoundsfrmReport]\r\nLeft=-10\r\nTop=-2147483648\r\n");
        QCOMPARE(ProfileFile(m_ini).readInteger("boundsfrmreport", "top", 0),
                 std::numeric_limits<qint32>::min());
    }

    void writesOfTwoObjectsBothSurvive()
    {
        // The main window keeps its file open while the report window writes its bounds
        // through an object of its own; neither may undo the other's writes.
        ProfileFile main = withFile(windowsFile);
        QCOMPARE(main.readInteger("View", "TUEOfilter", 0), 2);
        ProfileFile report(m_ini);
        report.writeInteger("BoundsfrmReport", "Left", 5);
        main.writeInteger("View", "TUEOfilter", 4);
        QCOMPARE(main.readInteger("BoundsfrmReport", "Left", 0), 5);
        report.writeInteger("BoundsfrmReport", "Top", 6);
        const ProfileFile fresh(m_ini);
        QCOMPARE(fresh.readInteger("View", "TUEOfilter", 0), 4);
        QCOMPARE(fresh.readInteger("BoundsfrmReport", "Left", 0), 5);
        QCOMPARE(fresh.readInteger("BoundsfrmReport", "Top", 0), 6);
    }

    void readOnlyFileIsNeverWritten()
    {
        // No write permission bit: read-only even for root, who may write anything.
        ProfileFile file = withFile(windowsFile);
        QVERIFY(QFile::setPermissions(m_ini, QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(ProfileFile::isReadOnly(m_ini));
        const std::function<void()> writes[] = {
            [&] { file.writeString("View", "Neu", "x"); },
            [&] { file.writeString("View", "TUEOfilter", "2"); }, // the value it already has
            [&] { file.writeInteger("View", "TUEOfilter", 9); },
            [&] { file.deleteKey("View", "TUEOfilter"); },
        };
        for (const auto &write : writes) {
            QCOMPARE(errorOf(write), cannotWrite(m_ini));
            QCOMPARE(contents(m_ini), windowsFile);
            QCOMPARE(file.readInteger("View", "TUEOfilter", 0), 2);
            QCOMPARE(file.readString("View", "Neu", fallback), fallback);
        }
        file.deleteKey("View", "Fehlt"); // nothing to delete: no error
    }

    void failedWritesLeaveEverythingAsItWas_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("bracket in section") << QByteArray("a]b") << QByteArray("k");
        QTest::newRow("line break in section") << QByteArray("a\nb") << QByteArray("k");
        QTest::newRow("empty section") << QByteArray(" ") << QByteArray("k");
        QTest::newRow("= in key") << QByteArray("View") << QByteArray("a=b");
        QTest::newRow("comment key") << QByteArray("View") << QByteArray(";k");
        QTest::newRow("header key") << QByteArray("View") << QByteArray("[k]");
        QTest::newRow("empty key") << QByteArray("View") << QByteArray();
    }
    void failedWritesLeaveEverythingAsItWas()
    {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        ProfileFile file = withFile(windowsFile);
        QCOMPARE(errorOf([&] { file.writeString(section, key, "1"); }), cannotWrite(m_ini));
        QCOMPARE(contents(m_ini), windowsFile);
    }

    // Only a user other than root sees a folder's permissions; CI runs this case as one.
    void inAFolderWithoutWriteAccessTheFileIsWrittenInPlace()
    {
        if (::geteuid() == 0)
            QSKIP("root may create files in any folder");
        ProfileFile file = withFile(windowsFile);
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(m_dir->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        file.writeInteger("View", "TUEOfilter", 9);
        QCOMPARE(ProfileFile(m_ini).readInteger("View", "TUEOfilter", 0), 9);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"kennblaetter.INI"_s});
    }

    // The whole file is written anew: on a full disk the old one must stay, not an empty
    // one take its place.
    void aFullDiskLeavesTheFileAsItWas()
    {
        SmallTmpfs disk;
        if (!disk.isMounted())
            QSKIP(disk.skipReason());
        const QString ini = disk.filePath(u"kennblaetter.INI"_s);
        writeFile(ini, windowsFile);
        // The file takes one page of 4 KiB, the filling the other fifteen.
        writeFile(disk.filePath(u"Füllung"_s), QByteArray(60 * 1024, 'x'));
        ProfileFile file(ini);
        QCOMPARE(errorOf([&] { file.writeInteger("View", "TUEOfilter", 9); }), cannotWrite(ini));
        QCOMPARE(contents(ini), windowsFile);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files).size(), 2);
    }

    void encodingOfTheFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("folder"); // as read, Windows-1252
        QTest::addColumn<QByteArray>("written");
        const QByteArray bom = "\xef\xbb\xbf";
        QTest::newRow("Windows-1252")
            << QByteArray("[Einstellungen]\nPfad=/daten/Kennbl\xe4tter\n")
            << QByteArray("/daten/Kennbl\xe4tter")
            << QByteArray("[Einstellungen]\nPfad=/daten/Kennbl\xe4tter\nNeu=\xdf\n");
        QTest::newRow("UTF-8")
            << QByteArray("[Einstellungen]\nPfad=/daten/Kennbl\xc3\xa4tter\n")
            << QByteArray("/daten/Kennbl\xe4tter")
            << QByteArray("[Einstellungen]\nPfad=/daten/Kennbl\xc3\xa4tter\nNeu=\xc3\x9f\n");
        QTest::newRow("byte-order mark")
            << bom + "[Einstellungen]\nPfad=/daten\n"
            << QByteArray("/daten") << bom + "[Einstellungen]\nPfad=/daten\nNeu=\xc3\x9f\n";
        QTest::newRow("not valid UTF-8")
            << QByteArray("[Einstellungen]\nPfad=\xc3\xa4 \xe4\n") << QByteArray("\xc3\xa4 \xe4")
            << QByteArray("[Einstellungen]\nPfad=\xc3\xa4 \xe4\nNeu=\xdf\n");
    }
    void encodingOfTheFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, written);
        ProfileFile file = withFile(text);
        QCOMPARE(file.readString("Einstellungen", "Pfad", {}), folder);
        file.writeString("Einstellungen", "Neu", "\xdf");
        QCOMPARE(contents(m_ini), written);
        QCOMPARE(file.readString("einstellungen", "NEU", {}), QByteArray("\xdf"));
    }

    void writesCollectedIntoOneEndAsSingleWrites()
    {
        const auto writes = [](ProfileFile &file, bool failHalfway) {
            file.writeInteger("View", "TUEOfilter", 7);
            file.writeString("Neu", "Text", "\xe4");
            file.deleteKey("Columns_hcKopf", "1");
            if (failHalfway)
                file.writeString("View", "a=b", "x"); // a key the file cannot hold
            file.writeInteger("View", "Zusatzfilter", 3);
        };
        for (const bool failHalfway : {false, true}) {
            ProfileFile single = withFile(windowsFile);
            errorOf([&] { writes(single, failHalfway); });
            const QByteArray expected = contents(m_ini);
            ProfileFile collected = withFile(windowsFile);
            const QString error = errorOf([&] {
                collected.writeAtOnce([&] {
                    const auto untouched =
                        qScopeGuard([&] { QCOMPARE(contents(m_ini), windowsFile); });
                    writes(collected, failHalfway);
                });
            });
            QCOMPARE(error.isEmpty(), !failHalfway);
            QCOMPARE(contents(m_ini), expected);
            QCOMPARE(collected.readInteger("View", "TUEOfilter", 0), 7);
        }
    }
    void pathsThatAreNoWritableFile()
    {
        // A folder in place of the file: nothing to read, and it must not be replaced.
        const QString folder = m_dir->filePath(u"folder.INI"_s);
        QVERIFY(QDir().mkdir(folder));
        ProfileFile onFolder(folder);
        QCOMPARE(onFolder.readInteger("View", "k", 3), 3);
        QCOMPARE(errorOf([&] { onFolder.writeInteger("View", "k", 1); }), cannotWrite(folder));
        QCOMPARE(errorOf([&] { onFolder.deleteKey("View", "k"); }), cannotWrite(folder));
        QVERIFY(QFileInfo(folder).isDir());
        // A file in place of the folder: the file cannot be created.
        writeFile(m_ini, windowsFile);
        const QString below = m_ini + u"/below.INI"_s;
        ProfileFile belowFile(below);
        QCOMPARE(belowFile.readInteger("View", "k", 3), 3);
        QCOMPARE(errorOf([&] { belowFile.writeInteger("View", "k", 1); }), cannotWrite(below));
        QCOMPARE(contents(m_ini), windowsFile);
    }

    void permissionsAreKept()
    {
        ProfileFile file = withFile(windowsFile);
        const QFile::Permissions unusual = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                           QFile::WriteUser | QFile::WriteGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(m_ini, unusual));
        const QFile::Permissions before = QFile::permissions(m_ini);
        file.writeInteger("View", "TUEOfilter", 9);
        QCOMPARE(QFile::permissions(m_ini), before);
        QCOMPARE(ProfileFile(m_ini).readInteger("View", "TUEOfilter", 0), 9);
    }

    void symlinkIsWrittenThrough()
    {
        const QString target = m_dir->filePath(u"elsewhere/real.INI"_s);
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        writeFile(target, windowsFile);
        QVERIFY(QFile::link(target, m_ini));
        ProfileFile file(m_ini);
        file.writeInteger("View", "TUEOfilter", 9);
        QVERIFY(QFileInfo(m_ini).isSymLink());
        QCOMPARE(contents(target), QByteArray(windowsFile).replace("TUEOfilter=2", "TUEOfilter=9"));
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner));
        QVERIFY(ProfileFile::isReadOnly(m_ini));
    }

    void badInputIsReadWithoutHarm_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("valueLength");
        QByteArray allBytes;
        for (int i = 0; i < 4; ++i) {
            for (int b = 255; b >= 0; --b)
                allBytes += char(b);
        }
        QTest::newRow("binary junk") << allBytes << qsizetype(0);
        QTest::newRow("only NUL bytes") << QByteArray(100000, '\0') << qsizetype(0);
        QTest::newRow("long line") << "[S]\nk=" + QByteArray(70000, 'x') + "\n" << qsizetype(2047);
        QTest::newRow("long line, no newline") << "[S]\n" + QByteArray(70000, '[') << qsizetype(0);
    }
    void badInputIsReadWithoutHarm()
    {
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, valueLength);
        const QByteArray tail = "\n[Einstellungen]\nTimerSplash=0x3E8\n";
        ProfileFile file = withFile(text + tail);
        QCOMPARE(file.readString("S", "k", {}).size(), valueLength);
        QCOMPARE(file.readInteger("Einstellungen", "TimerSplash", 500), 1000);
        file.writeInteger("View", "Aenderungsfilter", 5);
        QCOMPARE(contents(m_ini), text + tail + "[View]\nAenderungsfilter=5\n");
    }

    void keyRepeatedAThousandTimes()
    {
        QByteArray text = "[View]\r\n";
        for (int i = 0; i < 1000; ++i)
            text += "Aenderungsfilter=" + QByteArray::number(i) + "\r\n";
        const qsizetype firstLine = qsizetype(sizeof "[View]\r\nAenderungsfilter=0\r\n") - 1;
        ProfileFile file = withFile(text);
        QCOMPARE(file.readInteger("View", "aenderungsfilter", 7), 0);
        file.writeInteger("View", "Aenderungsfilter", 5);
        QCOMPARE(contents(m_ini), "[View]\r\nAenderungsfilter=5\r\n" + text.sliced(firstLine));
        file.deleteKey("View", "Aenderungsfilter");
        QCOMPARE(contents(m_ini), "[View]\r\n" + text.sliced(firstLine));
        QCOMPARE(file.readInteger("View", "Aenderungsfilter", 7), 1);
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
