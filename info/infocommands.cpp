#include "info/infocommands.h"

#include "info/untinfo.h"

#include <QPointer>
#include <QWidget>

InfoCommands::InfoCommands(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
}

void InfoCommands::setEdition(const QByteArray &edition)
{
    m_edition = edition;
}

void InfoCommands::mnuInfoClick()
{
    showInfo();
}

void InfoCommands::btnInfoClick()
{
    showInfo();
}

void InfoCommands::showInfo()
{
    const QPointer<TfrmInfo> form = new TfrmInfo(m_edition, m_owner);
    connect(form, &TfrmInfo::helpRequested, this, &InfoCommands::helpRequested);
    form->exec();
    // Released once the event that opened it has been handled; unless its owner, closed
    // meanwhile, took it along.
    if (form)
        form->deleteLater();
}
