#pragma once

#include <QString>

class QIODevice;

// The file version from the version record of an executable (info/versionrecord.h).

// The four numbers of the file version (not the product version). False when the file
// cannot be read, is no 64-bit little-endian ELF file or holds no intact record. A record
// without a fixed part is still a record: true, and the numbers are 0. The numbers are 0
// whenever the result is false, too.
bool GetFileVersionNumbers(const QString &fileName, quint16 &major, quint16 &minor,
                           quint16 &release, quint16 &build);
bool GetFileVersionNumbers(QIODevice &file, quint16 &major, quint16 &minor, quint16 &release,
                           quint16 &build);

// "%d.%d.%d Build %d" of the file version, or the empty text when there is no record. An
// empty file name stands for the running executable.
QString GetFileVersionText(const QString &fileName);
