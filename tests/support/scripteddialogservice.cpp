#include "scripteddialogservice.h"

ScriptedDialogService::ScriptedDialogService(QString applicationTitle)
    : DialogService(std::move(applicationTitle))
{
}

DialogAnswer ScriptedDialogService::show(const MessageBoxSpec &box)
{
    m_shown.append(box);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return box.buttons == MessageBoxSpec::Buttons::YesNo ? DialogAnswer::Yes : DialogAnswer::Ok;
}
