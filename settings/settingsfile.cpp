#include "settings/settingsfile.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace SettingsFile {

QString pathForExecutable(const QString &executablePath)
{
    const qsizetype nameBegin = executablePath.lastIndexOf(u'/') + 1;
    const qsizetype dot = executablePath.lastIndexOf(u'.');
    const qsizetype stemEnd = dot >= nameBegin ? dot : executablePath.size();
    return executablePath.left(stemEnd) + u".INI"_s;
}

QString path()
{
    return pathForExecutable(QCoreApplication::applicationFilePath());
}

} // namespace SettingsFile
