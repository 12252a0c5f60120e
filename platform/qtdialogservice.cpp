#include "platform/qtdialogservice.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QMessageBox::Icon toQt(MessageBoxSpec::Icon icon)
{
    switch (icon) {
    case MessageBoxSpec::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxSpec::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxSpec::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBoxSpec::Icon::Error:
        return QMessageBox::Critical;
    case MessageBoxSpec::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

DialogAnswer QtDialogService::show(const MessageBoxSpec &box)
{
    QMessageBox messageBox(toQt(box.icon), box.caption, box.text, QMessageBox::NoButton,
                           QApplication::activeWindow());
    if (box.buttons == MessageBoxSpec::Buttons::YesNo) {
        QPushButton *yes = messageBox.addButton(u"&Ja"_s, QMessageBox::YesRole);
        QPushButton *no = messageBox.addButton(u"&Nein"_s, QMessageBox::NoRole);
        messageBox.setDefaultButton(yes);
        messageBox.setEscapeButton(no);
        messageBox.exec();
        return messageBox.clickedButton() == yes ? DialogAnswer::Yes : DialogAnswer::No;
    }
    messageBox.addButton(u"OK"_s, QMessageBox::AcceptRole);
    messageBox.exec();
    return DialogAnswer::Ok;
}
