// The list gestures of the main window on 100,000 data sheets, as a user makes them and until
// the list has been repainted: applying and clearing a filter (with the list sorted by Marke
// and by number) and clicking a column header. Offscreen, with the real painting of the rows;
// min / median / max over repeated gestures in one window (warm: the catalogue is loaded).
#include "app/untmain.h"
#include "benchcatalogue.h"
#include "catalogue/tkennblattliste.h"
#include "documents/pdfview.h"
#include "list/headercontrol.h"
#include "list/kennblattlistview.h"
#include "list/listcontroller.h"
#include "platform/dialogservice.h"
#include "samples.h"
#include "silentdialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int Count = 100'000;
constexpr int Runs = 9;

class Bench
{
public:
    Bench(TfrmMain &window)
        : m_window(window)
        , m_marke(window.findChild<QComboBox *>(u"cmbFilterMarke"_s))
        , m_list(window.findChild<KennblattListView *>(u"lvKennblaetter"_s))
        , m_kopf(window.findChild<HeaderControl *>(u"hcKopf"_s))
    {
    }

    // Milliseconds of a gesture until the list's rows are painted again.
    double untilRepainted(const std::function<void()> &gesture)
    {
        QElapsedTimer timer;
        timer.start();
        gesture();
        m_list->viewport()->repaint();
        return double(timer.nsecsElapsed()) / 1e6;
    }

    void enterBrand(const QString &text)
    {
        m_marke->setFocus();
        m_marke->setEditText(text);
        QTest::keyClick(m_marke, Qt::Key_Return);
    }

    void clickHeader(int section)
    {
        const QPoint centre(m_kopf->sectionViewportPosition(section) +
                                m_kopf->sectionSize(section) / 2,
                            m_kopf->height() / 2);
        QTest::mouseClick(m_kopf->viewport(), Qt::LeftButton, {}, centre);
    }

    // Alternates between two states, timing each change.
    Samples alternate(const std::function<void()> &there, const std::function<void()> &back)
    {
        Samples samples;
        for (int run = 0; run < Runs; ++run) {
            samples.add(untilRepainted(there));
            samples.add(untilRepainted(back));
        }
        return samples;
    }

    void sortBy(qint32 sortOrder)
    {
        while (m_window.list().SortOrder != sortOrder)
            clickHeader(std::abs(sortOrder) - 1);
    }

    void report()
    {
        sortBy(2);
        std::printf(
            "  filter \"Th\" set / cleared (+ Enter), sorted by Marke   %s\n",
            qPrintable(
                alternate([&] { enterBrand(u"Th"_s); }, [&] { enterBrand({}); }).summary("ms")));
        std::printf(
            "  filter \"%%3\" set / cleared, sorted by Marke            %s\n",
            qPrintable(
                alternate([&] { enterBrand(u"%3"_s); }, [&] { enterBrand({}); }).summary("ms")));
        sortBy(1);
        std::printf(
            "  filter \"Th\" set / cleared, sorted by number            %s\n",
            qPrintable(
                alternate([&] { enterBrand(u"Th"_s); }, [&] { enterBrand({}); }).summary("ms")));
        std::printf(
            "  header click Marke / Kennblatt-Nr., all rows           %s\n",
            qPrintable(alternate([&] { clickHeader(1); }, [&] { clickHeader(0); }).summary("ms")));
        std::printf(
            "  header click Pulver / Marke, all rows                  %s\n",
            qPrintable(alternate([&] { clickHeader(2); }, [&] { clickHeader(1); }).summary("ms")));
    }

private:
    TfrmMain &m_window;
    QComboBox *m_marke;
    KennblattListView *m_list;
    HeaderControl *m_kopf;
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TPDFView::EngineLibraryName = QStringLiteral(PDF_ENGINE);
    if (const int status = BenchCatalogue::runAsWriter(app.arguments()); status >= 0)
        return status;
    QTemporaryDir folder;
    if (!BenchCatalogue::writeCatalogue(folder.path(), Count))
        return 1;
    const QString settings = folder.filePath(u"kennblaetter.INI"_s);
    for (const int substring : {0, 1}) {
        QFile file(settings);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write("[Einstellungen]\r\nPfadZuMDEDatei=" + QFile::encodeName(folder.path()) +
                   "/\r\nTimerSplash=0\r\nFilterImmerAlsTeilString=" +
                   QByteArray::number(substring) + "\r\n");
        file.close();
        SilentDialogs dialogs;
        TKennblattListe catalogue;
        TfrmMain window(dialogs, catalogue, settings);
        window.setGeometry(0, 0, 1280, 1000);
        window.show();
        QApplication::processEvents();
        std::printf("%d data sheets, filters %s; until the list is repainted\n", Count,
                    substring ? "match anywhere (FilterImmerAlsTeilString=1)" : "match the start");
        Bench(window).report();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory %.1f MiB\n", double(usage.ru_maxrss) / 1024);
    return 0;
}
