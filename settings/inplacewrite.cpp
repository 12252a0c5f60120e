#include "settings/inplacewrite.h"

#include "settings/settingsfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView JournalMagic = "KB-INPLACE-1\n";

// A file descriptor closed with its owner.
class Descriptor
{
public:
    explicit Descriptor(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC))
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

private:
    int m_fd;
};

std::optional<QByteArray> readAll(int fd)
{
    QByteArray content;
    char buffer[65536];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(buffer, got);
        offset += got;
    }
}

// The new bytes over the old ones from the start, then the rest cut off: at every moment the
// file is at least as long as the shorter of the two contents.
bool overwrite(int fd, const QByteArray &content)
{
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t written =
            ::pwrite(fd, content.constData() + done, size_t(content.size() - done), off_t(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return false;
    if (info.st_size > content.size() && ::ftruncate(fd, off_t(content.size())) != 0)
        return false;
    return ::fsync(fd) == 0;
}

struct Journal
{
    QByteArray oldContent;
    QByteArray newContent;
};

// Header: magic, the file's real path, the two sizes, each on a line of its own; then the old
// and the new content.
QByteArray journalBytes(const QString &realPath, const Journal &journal)
{
    return JournalMagic.toByteArray() + QFile::encodeName(realPath) + '\n' +
           QByteArray::number(journal.oldContent.size()) + '\n' +
           QByteArray::number(journal.newContent.size()) + '\n' + journal.oldContent +
           journal.newContent;
}

std::optional<Journal> parseJournal(const QByteArray &bytes, const QString &realPath)
{
    if (!bytes.startsWith(JournalMagic))
        return std::nullopt;
    QList<QByteArray> header;
    qsizetype pos = JournalMagic.size();
    for (int i = 0; i < 3; ++i) {
        const qsizetype lf = bytes.indexOf('\n', pos);
        if (lf < 0)
            return std::nullopt;
        header.append(bytes.sliced(pos, lf - pos));
        pos = lf + 1;
    }
    bool oldOk = false;
    bool newOk = false;
    const qsizetype oldSize = header[1].toLongLong(&oldOk);
    const qsizetype newSize = header[2].toLongLong(&newOk);
    if (QFile::decodeName(header[0]) != realPath || !oldOk || !newOk || oldSize < 0 ||
        newSize < 0 || bytes.size() - pos != oldSize + newSize)
        return std::nullopt;
    return Journal{bytes.sliced(pos, oldSize), bytes.sliced(pos + oldSize, newSize)};
}

// Whether the file holds what an overwrite from the old to the new content may leave at some
// moment: the new bytes up to some point, the old ones after it (cut at the new end or not).
bool isBetween(const QByteArray &file, const Journal &journal)
{
    const QByteArray &next = journal.newContent;
    qsizetype same = 0;
    while (same < file.size() && same < next.size() && file[same] == next[same])
        ++same;
    const QByteArrayView rest = QByteArrayView(file).sliced(same);
    const QByteArrayView oldRest = same < journal.oldContent.size()
                                       ? QByteArrayView(journal.oldContent).sliced(same)
                                       : QByteArrayView();
    return rest == oldRest;
}

} // namespace

namespace InPlaceWrite {

QString journalPath(const QString &path, const QString &stateFolder)
{
    const QString realPath = QFileInfo(path).canonicalFilePath();
    if (realPath.isEmpty() || stateFolder.isEmpty())
        return {};
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(realPath), QCryptographicHash::Sha1).toHex();
    return stateFolder + u"/inplace-"_s + QString::fromLatin1(hash) + u".journal"_s;
}

bool write(const QString &path, const QByteArray &content)
{
    const Descriptor file(path);
    if (!file.isOpen())
        return false;
    const std::optional<QByteArray> old = readAll(file.fd());
    if (!old)
        return false;
    // Without a journal the write goes on: the file is still never shortened below both
    // contents, only a write cut short stays unfinished.
    const QString stateFolder = SettingsFile::stateFolder();
    const QString journal = journalPath(path, stateFolder);
    bool journalled = false;
    if (!journal.isEmpty() && QDir().mkpath(stateFolder)) {
        QSaveFile entry(journal);
        journalled =
            entry.open(QIODevice::WriteOnly) &&
            entry.write(journalBytes(QFileInfo(path).canonicalFilePath(), {*old, content})) >= 0 &&
            entry.commit();
    }
    if (!overwrite(file.fd(), content)) {
        if (overwrite(file.fd(), *old) && journalled)
            QFile::remove(journal);
        return false;
    }
    if (journalled)
        QFile::remove(journal);
    return true;
}

bool complete(const QString &path)
{
    const QString journal = journalPath(path, SettingsFile::stateFolder());
    if (journal.isEmpty() || !QFileInfo::exists(journal))
        return false;
    QFile entry(journal);
    if (!entry.open(QIODevice::ReadOnly))
        return false;
    const std::optional<Journal> begun =
        parseJournal(entry.readAll(), QFileInfo(path).canonicalFilePath());
    entry.close();
    if (!begun) { // not ours, or not this file's
        QFile::remove(journal);
        return false;
    }
    // Not writable or readable now: the journal stays for a later start.
    const Descriptor file(path);
    const std::optional<QByteArray> current =
        file.isOpen() ? readAll(file.fd()) : std::optional<QByteArray>();
    if (!current)
        return false;
    if (*current == begun->newContent || !isBetween(*current, *begun)) {
        QFile::remove(journal);
        return false;
    }
    // The journal goes only once the write is complete, so a second cut is completed too.
    if (!overwrite(file.fd(), begun->newContent))
        return false;
    QFile::remove(journal);
    return true;
}

} // namespace InPlaceWrite
