// What the user waits for when starting the program: from starting the process until the list
// has been painted with its rows, on a real X server (Xvfb, started here when no display is
// set), for catalogues of 2,500, 100,000 and 200,000 data sheets; every run a fresh process.
// The program reports its steps through its start-up probe (KB_STARTUP_PROBE=exit). In the
// same runs, mdb-export of the same table, also a whole process, for comparison.
#include "benchcatalogue.h"
#include "samples.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 7;

struct Run
{
    double painted = -1;         // ms from starting the process to the probe's "list painted"
    QMap<QString, double> steps; // ms since main()
    double peakMiB = 0;
};

// Starts the installed program once and waits for its probe to report the painted list.
Run startOnce(const QString &program, const QProcessEnvironment &environment)
{
    Run run;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProgram(program);
    QElapsedTimer clock;
    QByteArray output;
    const QRegularExpression line(u"^probe ([0-9.]+) (.*) \\(peak ([0-9]+) KiB\\)$"_s);
    QObject::connect(&process, &QProcess::readyReadStandardError, [&] {
        output += process.readAllStandardError();
        qsizetype end;
        while ((end = output.indexOf('\n')) >= 0) {
            const QString text = QString::fromUtf8(output.left(end));
            output.remove(0, end + 1);
            const QRegularExpressionMatch m = line.match(text);
            if (!m.hasMatch())
                continue;
            run.steps[m.captured(2)] = m.captured(1).toDouble();
            if (m.captured(2) == u"list painted"_s) {
                run.painted = double(clock.nsecsElapsed()) / 1e6;
                run.peakMiB = m.captured(3).toDouble() / 1024;
            }
        }
    });
    clock.start();
    process.start();
    if (!process.waitForFinished(60000))
        process.kill();
    return run;
}

double exportOnce(const QString &file)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(u"mdb-export"_s, {file, u"Verzeichnis"_s});
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e6;
}

// An X server of our own when none is given; it ends with this object.
class VirtualDisplay
{
public:
    bool start(QProcessEnvironment &environment)
    {
        if (environment.contains(u"DISPLAY"_s))
            return true;
        m_server = std::make_unique<QProcess>();
        m_server->start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s,
                                    u"1280x1024x24"_s, u"-nolisten"_s, u"tcp"_s});
        if (!m_server->waitForReadyRead(10000))
            return false;
        const QByteArray number = m_server->readAllStandardOutput().trimmed();
        environment.insert(u"DISPLAY"_s, u":"_s + QString::fromLatin1(number));
        return !number.isEmpty();
    }
    ~VirtualDisplay()
    {
        if (m_server) {
            m_server->terminate();
            m_server->waitForFinished(5000);
        }
    }

private:
    std::unique_ptr<QProcess> m_server;
};

// A folder as the program is installed: the program (and its PDF engine, when built) with
// its settings file naming the catalogue beside it.
bool install(const QString &folder)
{
    const QString built = QString::fromLocal8Bit(KB_PROGRAM);
    const QString engine = QString::fromLocal8Bit(KB_BUILD_DIR) + u"/libpdfengine01.so"_s;
    if (!QFile::copy(built, folder + u"/kennblaetter"_s))
        return false;
    if (QFile::exists(engine))
        QFile::copy(engine, folder + u"/libpdfengine01.so"_s);
    QFile settings(folder + u"/kennblaetter.INI"_s);
    return settings.open(QIODevice::WriteOnly) &&
           settings.write("[Einstellungen]\r\nPfadZuMDEDatei=" + QFile::encodeName(folder) +
                          "/\r\nPfadZuPDFDateien=" + QFile::encodeName(folder) + "/\r\n") > 0;
}

void report(int count, const QString &folder, const QProcessEnvironment &environment)
{
    const QString program = folder + u"/kennblaetter"_s;
    const QString database = folder + u'/' + BenchCatalogue::fileName();
    Samples painted;
    Samples exported;
    QMap<QString, Samples> steps;
    double first = -1;
    double peak = 0;
    for (int i = 0; i < Runs; ++i) {
        const Run run = startOnce(program, environment);
        if (run.painted < 0) {
            std::printf("  the program did not report its painted list\n");
            return;
        }
        if (i == 0)
            first = run.painted;
        painted.add(run.painted);
        for (auto it = run.steps.cbegin(); it != run.steps.cend(); ++it)
            steps[it.key()].add(it.value());
        peak = run.peakMiB;
        exported.add(exportOnce(database));
    }
    std::printf("%d data sheets (%.1f MB file)\n", count, double(QFile(database).size()) / 1e6);
    std::printf("  first run, start until painted    %8.1f ms\n", first);
    std::printf("  start until painted               %s\n", qPrintable(painted.summary("ms")));
    std::printf("  mdb-export of Verzeichnis         %s\n", qPrintable(exported.summary("ms")));
    std::printf("  peak memory at the first paint    %8.1f MiB\n", peak);
    std::printf("  steps, ms since main():\n");
    for (const char *step : {"application", "form built", "splash shown", "catalogue loaded",
                             "list built", "shown", "list painted"}) {
        const QString name = QString::fromLatin1(step);
        if (steps.contains(name))
            std::printf("    %-20s %s\n", step, qPrintable(steps[name].summary("ms")));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (const int status = BenchCatalogue::runAsWriter(app.arguments()); status >= 0)
        return status;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"KB_STARTUP_PROBE"_s, u"exit"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    VirtualDisplay display;
    if (!display.start(environment)) {
        std::fprintf(stderr, "no X server: set DISPLAY or install Xvfb\n");
        return 1;
    }
    std::printf("Start until the list is painted, on X display %s; a fresh process every run\n",
                qPrintable(environment.value(u"DISPLAY"_s)));
    for (const int count : {2'500, 100'000, 200'000}) {
        QTemporaryDir folder;
        if (!BenchCatalogue::writeCatalogue(folder.path(), count) || !install(folder.path()))
            return 1;
        report(count, folder.path(), environment);
        std::fflush(stdout);
    }
    return 0;
}
