// The main window's closing write-back: about fifty keys into the settings file, written one
// replacement of the file per key, and collected into one replacement. Whole write-back as the
// user waits for it when closing, on a settings file of realistic size in a temporary folder.
#include "samples.h"
#include "settings/profilefile.h"
#include "settings/windowstate.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

struct ClosingState
{
    QWidget window;
    QStandardItemModel columns{0, 7};
    QHeaderView header{Qt::Horizontal};
    QComboBox combos[3];

    ClosingState()
    {
        window.setObjectName(QStringLiteral("frmMain"));
        window.setGeometry(0, 0, 1280, 1000);
        header.setObjectName(QStringLiteral("hcKopf"));
        header.setModel(&columns);
        const char *names[] = {"cmbFilterKennblattNr", "cmbFilterMarke", "cmbFilterPulver"};
        for (int i = 0; i < 3; ++i) {
            combos[i].setObjectName(QString::fromLatin1(names[i]));
            combos[i].setEditable(true);
            for (int item = 0; item < 12; ++item)
                combos[i].addItem(QStringLiteral("Eintrag %1").arg(item));
        }
    }

    void write(ProfileFile &settings)
    {
        WriteBounds(settings, window);
        WriteColumns(settings, header);
        for (const char *key : {"LetzteDruckliste", "Aenderungsfilter", "Zusatzfilter",
                                "Herstellerfilter", "TUEOfilter"})
            settings.writeInteger("View", key, 1);
        for (const QComboBox &combo : combos)
            WriteComboBox(settings, combo);
    }
};

QByteArray installedFile()
{
    QByteArray text = "[Einstellungen]\r\nPfadZuMDEDatei=/opt/kennblaetter/\r\n"
                      "PfadZuPDFDateien=/opt/kennblaetter/PDF/\r\nTimerSplash=500\r\n";
    for (int i = 0; i < 10; ++i)
        text += "NamePDFDokument" + QByteArray::number(i) + "=Dokument " + QByteArray::number(i) +
                ".pdf\r\n";
    return text;
}

Samples measure(const QString &path, const std::function<void(ProfileFile &)> &writeBack)
{
    Samples samples;
    for (int run = 0; run < 15; ++run) {
        QFile::remove(path);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(installedFile()) < 0)
            return samples;
        file.close();
        QElapsedTimer timer;
        timer.start();
        ProfileFile settings(path);
        writeBack(settings);
        samples.add(double(timer.nsecsElapsed()) / 1e6);
    }
    return samples;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kennblaetter.INI"));
    ClosingState state;
    const Samples single = measure(path, [&](ProfileFile &s) { state.write(s); });
    const Samples once =
        measure(path, [&](ProfileFile &s) { s.writeAtOnce([&] { state.write(s); }); });
    std::printf("closing write-back, about 50 keys into %s\n", qPrintable(dir.path()));
    std::printf("  one replacement per key      %s\n", qPrintable(single.summary("ms", 2)));
    std::printf("  collected, one replacement   %s\n", qPrintable(once.summary("ms", 2)));
    return 0;
}
