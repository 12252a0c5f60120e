// Takes the README's pictures of the main window and, optionally, of the search window
// showing the results for TEXT once its index is built:
//   kb-screenshot OUTPUT.png [WIDTH HEIGHT [SEARCH.png TEXT]]
// The main window reads the settings file beside this program (kb-screenshot.INI), so copy
// the viewer's settings file there first (scripts/screenshot.sh does).
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "platform/qtdialogservice.h"
#include "search/searchwindow.h"
#include "settings/settingsfile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: kb-screenshot OUTPUT.png [WIDTH HEIGHT [SEARCH.png TEXT]]\n");
        return 2;
    }
    const int width = args.size() > 3 ? args[2].toInt() : 1200;
    const int height = args.size() > 3 ? args[3].toInt() : 760;

    QtDialogService dialogs(u"Norvenz SZW Kennblätter"_s);
    TfrmMain window(dialogs, KennblattListe, SettingsFile::path());
    window.show();
    int status = 1;
    // After the start timers: the splash is gone and the window was maximised once.
    QTimer::singleShot(2500, &window, [&] {
        window.showNormal();
        window.setGeometry(0, 0, width, height);
        QTimer::singleShot(300, &window, [&] {
            status = window.grab().save(args[1]) ? 0 : 1;
            QApplication::quit();
        });
    });
    QApplication::exec();
    if (status != 0 || args.size() < 6)
        return status;

    window.findChild<QAction *>(u"mnuVolltextsuche"_s)->trigger();
    auto *search = window.findChild<SearchWindow *>();
    search->resize(1250, 430);
    QObject::connect(search, &SearchWindow::indexFinished, search, [&] {
        auto *line = search->findChild<QLineEdit *>(u"edtSuche"_s);
        line->setText(args[5]);
        Q_EMIT line->returnPressed();
        QTimer::singleShot(500, search, [&] {
            status = search->grab().save(args[4]) ? 0 : 1;
            QApplication::quit();
        });
    });
    QApplication::exec();
    return status;
}
