#include "tmpfsmount.h"

#include <QFile>

#include <sys/mount.h>

#include <unistd.h>

TmpfsMount::TmpfsMount(const QString &folder, const char *options, unsigned long flags)
    : m_folder(QFile::encodeName(folder))
{
    m_mounted =
        !folder.isEmpty() && ::mount("tmpfs", m_folder.constData(), "tmpfs", flags, options) == 0;
}

TmpfsMount::~TmpfsMount()
{
    if (m_mounted)
        ::umount2(m_folder.constData(), MNT_DETACH);
}

const char *TmpfsMount::skipReason()
{
    return ::geteuid() == 0
               ? "this system allows no mounts (a container without the right to mount)"
               : "mounting a tmpfs needs root";
}

SmallTmpfs::SmallTmpfs()
    : m_mount(m_folder.isValid() ? m_folder.path() : QString(), "size=64k")
{
}
