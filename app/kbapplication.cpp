#include "app/kbapplication.h"

#include "platform/handlerguard.h"

KbApplication::KbApplication(int &argc, char **argv, DialogService &dialogs)
    : QApplication(argc, argv)
    , m_dialogs(dialogs)
{
}

bool KbApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    runHandler(m_dialogs, [&] { result = QApplication::notify(receiver, event); });
    return result;
}
