// kb-demo: writes a complete demo installation of the viewer.

#include "tools/demo/democommandline.h"
#include "tools/demo/demoinstaller.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Set by Ctrl+C or a termination request; the generator stops between slices of data
// sheets and cleans up its working folder.
std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int)
{
    stopRequested = true;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "kb-demo: %s\n", qPrintable(message));
    return 1;
}

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 1) + u" s"_s;
}

void printSummary(const Demo::InstallOptions &options, const Demo::InstallReport &report)
{
    const QString folder = QDir::cleanPath(QFileInfo(options.folder).absoluteFilePath());
    if (options.databaseOnly) {
        std::printf("kb-demo: the database of %d data sheets (no documents) in %s\n", options.count,
                    qPrintable(folder));
        std::printf("  database %s; total %s\n", qPrintable(seconds(report.databaseMs)),
                    qPrintable(seconds(report.totalMs)));
    } else {
        std::printf("kb-demo: %d data sheets, 10 reference documents and Hilfe.pdf in %s\n",
                    options.count, qPrintable(folder));
        std::printf("  database %s, data sheets %s (%d threads), reference documents %s, "
                    "help %s; total %s\n",
                    qPrintable(seconds(report.databaseMs)), qPrintable(seconds(report.sheetsMs)),
                    report.threads, qPrintable(seconds(report.referencesMs)),
                    qPrintable(seconds(report.helpMs)), qPrintable(seconds(report.totalMs)));
    }
    std::printf("  %d files, %.1f MB\n", report.files, double(report.bytes) / 1e6);
    if (!options.settingsPath.isEmpty())
        std::printf("  settings file %s\n",
                    qPrintable(QFileInfo(options.settingsPath).absoluteFilePath()));
}

} // namespace

int main(int argc, char *argv[])
{
    // QPdfWriter needs the font database of a GUI application, but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(u"kb-demo"_s);

    Demo::CommandLine commandLine;
    QString error;
    if (!Demo::parseCommandLine(QGuiApplication::arguments(), commandLine, &error))
        return fail(error);
    if (commandLine.helpWanted) {
        std::printf("%s", qPrintable(commandLine.helpText));
        return 0;
    }

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    const bool quiet = commandLine.quiet;
    const bool terminal = isatty(STDERR_FILENO) != 0;
    const auto progress = [quiet, terminal](int done, int total) {
        if (!quiet && terminal) {
            std::fprintf(stderr, "\rData sheets: %d of %d", done, total);
            if (done == total)
                std::fputc('\n', stderr);
        }
        return !stopRequested.load();
    };

    Demo::InstallReport report;
    if (!Demo::installDemo(commandLine.options, &report, &error, progress))
        return fail(stopRequested ? u"stopped; nothing was changed"_s : error);
    if (!quiet)
        printSummary(commandLine.options, report);
    return 0;
}
