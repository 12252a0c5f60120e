#include "settings/layeredsettings.h"

#include "settings/settingsfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Whether this user can write the file: change it where it exists, create it where not.
bool writable(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile() && !ProfileFile::isReadOnly(path);
    return QFileInfo(info.absolutePath()).isWritable();
}

} // namespace

LayeredSettings::LayeredSettings(const QString &installationPath, const QString &userPath)
    : m_installation(installationPath)
{
    if (!writable(installationPath))
        m_user.emplace(userPath);
}

LayeredSettings::LayeredSettings(const QString &installationPath)
    : LayeredSettings(installationPath, SettingsFile::userPath())
{
}

bool LayeredSettings::writesViewState() const
{
    return personal() || (QFileInfo(m_installation.path()).isFile() &&
                          !ProfileFile::isReadOnly(m_installation.path()));
}

const ProfileFile &LayeredSettings::source(QByteArrayView section, QByteArrayView key) const
{
    return m_user && m_user->contains(section, key) ? *m_user : m_installation;
}

QByteArray LayeredSettings::readString(QByteArrayView section, QByteArrayView key,
                                       const QByteArray &defaultValue) const
{
    return source(section, key).readString(section, key, defaultValue);
}

qint32 LayeredSettings::readInteger(QByteArrayView section, QByteArrayView key,
                                    qint32 defaultValue) const
{
    return source(section, key).readInteger(section, key, defaultValue);
}

void LayeredSettings::writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    prepareTarget();
    target().writeString(section, key, value);
}

void LayeredSettings::writeInteger(QByteArrayView section, QByteArrayView key, qint32 value)
{
    prepareTarget();
    target().writeInteger(section, key, value);
}

void LayeredSettings::deleteKey(QByteArrayView section, QByteArrayView key)
{
    target().deleteKey(section, key);
}

void LayeredSettings::prepareTarget()
{
    // The user's folder comes with the first write; where it cannot be made, the write fails
    // with the file's path in its message.
    if (m_user)
        QDir().mkpath(QFileInfo(m_user->path()).absolutePath());
}
