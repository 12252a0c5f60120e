#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

class QIODevice;

// The contents of the section `name` of a 64-bit little-endian ELF file, found through its
// section headers (glibc's <elf.h>). Nothing when the device holds no such file or no such
// section, when the section is larger than `maxSize`, or when the file is damaged: every
// offset and size is checked against the device's size before anything is read there.
// Written on glibc's <elf.h> rather than libelf: finding one section takes a few checked
// reads, not worth a new run-time dependency of the viewer.
std::optional<QByteArray> readElfSection(QIODevice &elf, QByteArrayView name, qint64 maxSize);
