#include "platform/registryvalue.h"

#include <QSettings>

using namespace Qt::StringLiterals;

QString readRegistryString(RegistryRoot root, const QString &keyPath, const QString &valueName)
{
    QStringList parts = keyPath.split(u'\\', Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(u"Software"_s, Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty() || valueName.isEmpty())
        return {};
    const QString organisation = parts.takeFirst();
    const QString application = parts.isEmpty() ? QString() : parts.takeFirst();
    QSettings settings(QSettings::NativeFormat,
                       root == RegistryRoot::CurrentUser ? QSettings::UserScope
                                                         : QSettings::SystemScope,
                       organisation, application);
    // Without this the user scope would also read the system-wide files; the registry's two
    // roots never mix.
    settings.setFallbacksEnabled(false);
    if (!parts.isEmpty())
        settings.beginGroup(parts.join(u'/'));
    return settings.value(valueName).toString();
}
