#pragma once

#include "settings/profilefile.h"
#include "settings/settingsstore.h"

#include <QString>

#include <optional>

// The settings as one user sees them. The installation's file (beside the executable) holds the
// configuration; where this user cannot write it (it is read-only for them, or missing in a
// folder they cannot write, as in /opt), the user's own file lies over it: what the program
// writes goes there, and a key is read from there when that file holds it, otherwise from the
// installation's, key by key, so that a later change of the installation's file still reaches
// every user who never had that key. Where the installation's file can be written (a portable
// folder), it is the only file, read and written as before.
class LayeredSettings final : public SettingsStore
{
public:
    // Decides, by the installation file's state now, whether `userPath` lies over it.
    LayeredSettings(const QString &installationPath, const QString &userPath);
    // The user's file is SettingsFile::userPath().
    explicit LayeredSettings(const QString &installationPath);

    // Whether what the program writes goes to the user's own file.
    bool personal() const { return m_user.has_value(); }
    // The file that writes go to.
    const QString &writePath() const { return target().path(); }
    // Whether the main window's closing steps write its view state: into the installation's
    // file only when it exists and may be written; into the user's file always, which is
    // created with its folder when first needed.
    bool writesViewState() const;

    QByteArray readString(QByteArrayView section, QByteArrayView key,
                          const QByteArray &defaultValue) const override;
    qint32 readInteger(QByteArrayView section, QByteArrayView key,
                       qint32 defaultValue) const override;
    void writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value) override;
    void writeInteger(QByteArrayView section, QByteArrayView key, qint32 value) override;
    // Deletes the key from the file written to; a key of the installation's file under it is
    // then read again.
    void deleteKey(QByteArrayView section, QByteArrayView key) override;

    // ProfileFile::writeAtOnce on the file written to.
    template<typename Writes>
    void writeAtOnce(Writes &&writes)
    {
        prepareTarget();
        target().writeAtOnce(std::forward<Writes>(writes));
    }

private:
    const ProfileFile &source(QByteArrayView section, QByteArrayView key) const;
    ProfileFile &target() { return m_user ? *m_user : m_installation; }
    const ProfileFile &target() const { return m_user ? *m_user : m_installation; }
    void prepareTarget();

    ProfileFile m_installation;
    std::optional<ProfileFile> m_user;
};
