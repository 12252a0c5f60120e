#pragma once

#include <QApplication>

class DialogService;

// The application object with the program's error handler: an error that escapes an event
// handler is shown in the error box and the program keeps running.
class KbApplication final : public QApplication
{
    Q_OBJECT

public:
    KbApplication(int &argc, char **argv, DialogService &dialogs);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    DialogService &m_dialogs;
};
