// Start-up, list building and sorting of the real main window (offscreen) on generated
// catalogues of 100,000 and 2,500 data sheets. Prints figures; asserts nothing.
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "list/kennblattlistmodel.h"
#include "list/listcontroller.h"
#include "platform/dialogservice.h"
#include "settings/settingsfile.h"
#include "tools/demo/democatalogue.h"
#include "tools/demo/demodatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Never answers: a benchmark run must not block on a box.
class SilentDialogs final : public DialogService
{
public:
    SilentDialogs()
        : DialogService(u"Norvenz SZW Kennblätter"_s)
    {
    }

protected:
    DialogAnswer show(const MessageBoxSpec &box) override
    {
        std::fprintf(stderr, "message box: %s\n", qPrintable(box.text));
        return DialogAnswer::Ok;
    }
};

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Best of `rounds` runs of `work`, in milliseconds; `prepare` runs untimed before each.
double bestOf(int rounds, const std::function<void()> &prepare, const std::function<void()> &work)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int i = 0; i < rounds; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed());
    }
    return double(best) / 1e6;
}

struct Installation
{
    QTemporaryDir folder;
    int count = 0;
};

std::unique_ptr<Installation> install(int count)
{
    auto result = std::make_unique<Installation>();
    result->count = count;
    QString error;
    const Demo::Catalogue catalogue = Demo::generateCatalogue(count);
    if (!Demo::writeDatabase(catalogue, result->folder.filePath(Demo::DatabaseFileName.toString()),
                             &error)) {
        std::fprintf(stderr, "cannot write the catalogue: %s\n", qPrintable(error));
        return nullptr;
    }
    return result;
}

void writeSettings(const Installation &installation, int filterImmerAlsTeilString)
{
    QFile file(SettingsFile::path());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(
        "[Einstellungen]\r\nPfadZuMDEDatei=" + QFile::encodeName(installation.folder.path()) +
        "/\r\nTimerSplash=0\r\nFilterImmerAlsTeilString=" +
        QByteArray::number(filterImmerAlsTeilString) + "\r\n");
}

struct Window
{
    TKennblattListe catalogue;
    std::unique_ptr<TfrmMain> window;
};

// Creates the main window; returns the milliseconds to its first built list.
double start(SilentDialogs &dialogs, Window &w)
{
    QElapsedTimer timer;
    timer.start();
    w.window = std::make_unique<TfrmMain>(dialogs, w.catalogue, SettingsFile::path());
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    w.window->show();
    QApplication::processEvents();
    return ms;
}

// RebuildList after setting the brand filter, with the view's update.
double rebuildWith(TfrmMain &window, const QString &marke)
{
    auto *combo = window.findChild<QComboBox *>(u"cmbFilterMarke"_s);
    return bestOf(
        5,
        [&] {
            combo->setEditText(u"--"_s);
            window.list().RebuildList(true);
        },
        [&] {
            combo->setEditText(marke);
            window.list().RebuildList(true);
            QApplication::processEvents();
        });
}

void runLarge(SilentDialogs &dialogs, const Installation &installation)
{
    writeSettings(installation, 0);
    Window w;
    const double startup = start(dialogs, w);
    TfrmMain &window = *w.window;
    std::printf("%d data sheets\n", installation.count);
    std::printf("  start-up to the first built list      %8.1f ms\n", startup);
    const auto rebuild = [&](const char *label, const QString &marke) {
        const double ms = rebuildWith(window, marke);
        std::printf("  RebuildList + view, %-22s %8.2f ms (%d rows)\n", label, ms,
                    window.listModel().rowCount());
    };
    rebuild("prefix \"Th\"", u"Th"_s);
    rebuild("wildcard \"%3\"", u"%3"_s);
    rebuild("no filter", {});
    const double skip = bestOf(
        50, [] {}, [&] { window.list().RebuildList(true); });
    std::printf("  RebuildList, skipped (no change)      %8.4f ms\n", skip);
    const double sort = bestOf(
        3, [&] { window.list().hcKopfSectionClick(0); },
        [&] {
            window.list().hcKopfSectionClick(1);
            QApplication::processEvents();
        });
    std::printf("  sort by Marke + view                  %8.2f ms\n", sort);
    const double sortOnly = bestOf(
        3,
        [&] {
            window.list().hcKopfSectionClick(0);
            QApplication::processEvents();
        },
        [&] { window.list().hcKopfSectionClick(1); });
    std::printf("  sort by Marke (model only)            %8.2f ms\n", sortOnly);
    w.window.reset();

    writeSettings(installation, 1);
    Window substring;
    start(dialogs, substring);
    const double ms = rebuildWith(*substring.window, u"ron"_s);
    std::printf("  RebuildList + view, substring \"ron\"   %8.2f ms (%d rows)\n", ms,
                substring.window->listModel().rowCount());
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentDialogs dialogs;

    std::printf("Generating the catalogues ...\n");
    const auto large = install(100'000);
    const auto demo = install(Demo::DefaultCount);
    if (!large || !demo)
        return 1;

    {
        writeSettings(*demo, 0);
        Window w;
        std::printf("%d data sheets\n  start-up to the first built list      %8.1f ms\n",
                    demo->count, start(dialogs, w));
    }
    runLarge(dialogs, *large);
    QFile::remove(SettingsFile::path());
    std::printf("peak RSS %.1f MB\n", peakRssMb());
    return 0;
}
