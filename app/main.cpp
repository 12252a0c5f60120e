#include "app/kbapplication.h"
#include "app/startupprobe.h"
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "platform/germantranslations.h"
#include "platform/qtdialogservice.h"
#include "settings/settingsfile.h"

#include <QAbstractItemView>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    StartupProbe::mark("main");
    const QString title = u"Norvenz SZW Kennblätter"_s;
    QtDialogService dialogs(title);
    KbApplication app(argc, argv, dialogs);
    installGermanQtTranslations(app);
    QApplication::setApplicationName(title);
    StartupProbe::mark("application");

    TfrmMain frmMain(dialogs, KennblattListe, SettingsFile::path());
    StartupProbe::watchFirstPaint(*frmMain.findChild<QAbstractItemView *>(u"lvKennblaetter"_s));
    frmMain.show();
    StartupProbe::mark("shown");
    return QApplication::exec();
}
