#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A tmpfs mounted on `folder` with these options (e.g. "size=64k") and mount flags (e.g.
// MS_RDONLY), unmounted with the object: a full disk or a read-only folder for the tests.
// Mounting needs root with the right to mount; without it mounted() is false and skipReason()
// tells why, for QSKIP.
class TmpfsMount
{
public:
    TmpfsMount(const QString &folder, const char *options, unsigned long flags = 0);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool mounted() const { return m_mounted; }
    static const char *skipReason();

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

// A tmpfs of 64 KiB (16 pages of 4 KiB) on a temporary folder of its own.
class SmallTmpfs
{
public:
    SmallTmpfs();

    bool isMounted() const { return m_mount.mounted(); }
    static const char *skipReason() { return TmpfsMount::skipReason(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    TmpfsMount m_mount;
};
