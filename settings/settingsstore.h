#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// What the program reads and writes of its settings: keys in sections, with the value rules of
// the profile format. One settings file (ProfileFile) is such a store; so are the settings as
// one user sees them, the user's own file over the installation's (LayeredSettings).
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The default when the key is missing.
    virtual QByteArray readString(QByteArrayView section, QByteArrayView key,
                                  const QByteArray &defaultValue) const = 0;
    // The default when the key is missing or not a number.
    virtual qint32 readInteger(QByteArrayView section, QByteArrayView key,
                               qint32 defaultValue) const = 0;
    // Raise AppError "In <path> kann nicht geschrieben werden" when the value cannot be stored.
    virtual void writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value) = 0;
    virtual void writeInteger(QByteArrayView section, QByteArrayView key, qint32 value) = 0;
    virtual void deleteKey(QByteArrayView section, QByteArrayView key) = 0;

protected:
    SettingsStore() = default;
    SettingsStore(const SettingsStore &) = default;
    SettingsStore &operator=(const SettingsStore &) = default;
};
