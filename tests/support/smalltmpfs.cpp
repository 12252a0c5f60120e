#include "smalltmpfs.h"

#include <QProcess>

#include <unistd.h>

using namespace Qt::StringLiterals;

SmallTmpfs::SmallTmpfs()
    : m_root(::geteuid() == 0)
{
    m_mounted = m_root && m_folder.isValid() &&
                QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s,
                                               u"tmpfs"_s, m_folder.path()}) == 0;
}

SmallTmpfs::~SmallTmpfs()
{
    if (m_mounted)
        QProcess::execute(u"umount"_s, {m_folder.path()});
}

const char *SmallTmpfs::skipReason() const
{
    return m_root ? "this system allows no mounts (a container without the right to mount)"
                  : "mounting a small tmpfs as a full disk needs root";
}
