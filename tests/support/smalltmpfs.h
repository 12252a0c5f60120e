#pragma once

#include <QString>
#include <QTemporaryDir>

// A tmpfs of 64 KiB (16 pages of 4 KiB) mounted on a temporary folder, for the tests of
// writing onto a full disk; unmounted again at the end. Mounting needs root and a system that
// allows it: without, skipReason() tells why, for QSKIP.
class SmallTmpfs
{
public:
    SmallTmpfs();
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs &) = delete;
    SmallTmpfs &operator=(const SmallTmpfs &) = delete;

    bool isMounted() const { return m_mounted; }
    const char *skipReason() const;
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    bool m_root = false;
    bool m_mounted = false;
};
