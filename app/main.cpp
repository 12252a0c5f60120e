#include "app/kbapplication.h"
#include "app/untmain.h"
#include "catalogue/tkennblattliste.h"
#include "platform/qtdialogservice.h"
#include "settings/settingsfile.h"

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    const QString title = u"Norvenz SZW Kennblätter"_s;
    QtDialogService dialogs(title);
    KbApplication app(argc, argv, dialogs);
    QApplication::setApplicationName(title);

    TfrmMain frmMain(dialogs, KennblattListe, SettingsFile::path());
    frmMain.show();
    return QApplication::exec();
}
