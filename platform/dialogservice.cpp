#include "platform/dialogservice.h"

using namespace Qt::StringLiterals;

DialogService::DialogService(QString applicationTitle)
    : m_applicationTitle(std::move(applicationTitle))
{
}

DialogService::~DialogService() = default;

void DialogService::information(const QString &text)
{
    show(
        {u"Informationen"_s, MessageBoxSpec::Icon::Information, MessageBoxSpec::Buttons::Ok, text});
}

bool DialogService::confirm(const QString &text)
{
    return show({u"Bestätigen"_s, MessageBoxSpec::Icon::Question, MessageBoxSpec::Buttons::YesNo,
                 text}) == DialogAnswer::Yes;
}

void DialogService::warning(const QString &text)
{
    show({u"Warnung"_s, MessageBoxSpec::Icon::Warning, MessageBoxSpec::Buttons::Ok, text});
}

void DialogService::error(const QString &text)
{
    show({u"Fehler"_s, MessageBoxSpec::Icon::Error, MessageBoxSpec::Buttons::Ok, text});
}

void DialogService::plain(const QString &text)
{
    show({m_applicationTitle, MessageBoxSpec::Icon::None, MessageBoxSpec::Buttons::Ok, text});
}

void DialogService::applicationError(const QString &text)
{
    show({m_applicationTitle, MessageBoxSpec::Icon::Error, MessageBoxSpec::Buttons::Ok,
          withFullStop(text)});
}

QString withFullStop(const QString &text)
{
    if (text.isEmpty() || text.back() <= u'.')
        return text;
    return text + u'.';
}
