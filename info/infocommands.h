#pragma once

#include <QByteArray>
#include <QObject>

class QWidget;

// The main window's commands that open the info dialog: the menu item "&Info" and the
// (hidden) button "&Info". Each opening builds a fresh dialog, shows it modally and
// releases it afterwards.
class InfoCommands : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InfoCommands)

public:
    // `owner`, the main window, owns these commands and every dialog they open.
    explicit InfoCommands(QWidget *owner);

    // The catalogue's edition (Windows-1252) that the dialog shows.
    void setEdition(const QByteArray &edition);

public Q_SLOTS:
    void mnuInfoClick();
    void btnInfoClick();

Q_SIGNALS:
    // The dialog's help button: the main window opens its help file.
    void helpRequested();

private:
    void showInfo();

    QWidget *m_owner;
    QByteArray m_edition;
};
