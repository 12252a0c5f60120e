#include "settings/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// XDG's rule: a variable that is unset, empty or not an absolute path counts as unset.
QString xdgFolder(const char *variable, const QString &underHome)
{
    const QString set = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(set))
        return QDir::cleanPath(set);
    // Without a home folder this is below the root, where writing fails with its path named.
    return QDir::cleanPath(QDir::homePath() + u'/' + underHome);
}

} // namespace

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

QString userPath()
{
    // Tests in Qt's test mode keep away from the user's real folder.
    const QString folder =
        QStandardPaths::isTestModeEnabled()
            ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            : xdgFolder("XDG_CONFIG_HOME", u".config"_s);
    return folder + u"/kennblaetter/kennblaetter.INI"_s;
}

QString stateFolder()
{
    const QString folder = QStandardPaths::isTestModeEnabled()
                               ? QDir::homePath() + u"/.qttest/state"_s
                               : xdgFolder("XDG_STATE_HOME", u".local/state"_s);
    return folder + u"/kennblaetter"_s;
}

} // namespace SettingsFile
