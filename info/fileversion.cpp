#include "info/fileversion.h"

#include "info/elfsection.h"
#include "info/versionrecord.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>

bool GetFileVersionNumbers(QIODevice &file, quint16 &major, quint16 &minor, quint16 &release,
                           quint16 &build)
{
    using namespace VersionRecord;
    major = minor = release = build = 0;
    // The section may be longer than the record (a sanitizer pads globals), never shorter.
    const std::optional<QByteArray> section = readElfSection(file, KB_VERSION_RECORD_SECTION, 4096);
    if (!section || section->size() < qsizetype(sizeof(Header)))
        return false;
    Header header;
    std::memcpy(&header, section->constData(), sizeof header);
    if (header.magic != Magic || header.recordSize < sizeof(Header) ||
        header.recordSize > quint64(section->size()))
        return false;
    if (header.fixedSize >= sizeof(FixedPart) &&
        header.fixedSize <= header.recordSize - sizeof(Header)) {
        FixedPart fixed;
        std::memcpy(&fixed, section->constData() + sizeof(Header), sizeof fixed);
        major = quint16(fixed.fileVersionMS >> 16);
        minor = quint16(fixed.fileVersionMS & 0xffff);
        release = quint16(fixed.fileVersionLS >> 16);
        build = quint16(fixed.fileVersionLS & 0xffff);
    }
    return true;
}

bool GetFileVersionNumbers(const QString &fileName, quint16 &major, quint16 &minor,
                           quint16 &release, quint16 &build)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        major = minor = release = build = 0;
        return false;
    }
    return GetFileVersionNumbers(file, major, minor, release, build);
}

QString GetFileVersionText(const QString &fileName)
{
    quint16 major, minor, release, build;
    if (!GetFileVersionNumbers(fileName.isEmpty() ? QCoreApplication::applicationFilePath()
                                                  : fileName,
                               major, minor, release, build))
        return {};
    return QString::asprintf("%d.%d.%d Build %d", major, minor, release, build);
}
