#include "info/elfsection.h"

#include <QIODevice>

#include <elf.h>

#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "reads little-endian ELF files in place");

namespace {

// `length` bytes at `offset`, or nothing when they are not all in the device.
std::optional<QByteArray> readAt(QIODevice &device, quint64 offset, quint64 length)
{
    const quint64 size = quint64(device.size());
    if (offset > size || length > size - offset || !device.seek(qint64(offset)))
        return std::nullopt;
    QByteArray bytes = device.read(qint64(length));
    if (quint64(bytes.size()) != length)
        return std::nullopt;
    return bytes;
}

template<typename T>
std::optional<T> readStruct(QIODevice &device, quint64 offset)
{
    const std::optional<QByteArray> bytes = readAt(device, offset, sizeof(T));
    if (!bytes)
        return std::nullopt;
    T value;
    std::memcpy(&value, bytes->constData(), sizeof(T));
    return value;
}

} // namespace

std::optional<QByteArray> readElfSection(QIODevice &elf, QByteArrayView name, qint64 maxSize)
{
    const std::optional<Elf64_Ehdr> header = readStruct<Elf64_Ehdr>(elf, 0);
    if (!header || std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 ||
        header->e_ident[EI_CLASS] != ELFCLASS64 || header->e_ident[EI_DATA] != ELFDATA2LSB ||
        header->e_ident[EI_VERSION] != EV_CURRENT || header->e_shoff == 0 ||
        header->e_shentsize != sizeof(Elf64_Shdr))
        return std::nullopt;

    // With many sections, the count and the index of the names sit in section 0.
    quint64 count = header->e_shnum;
    quint64 namesIndex = header->e_shstrndx;
    if (count == 0 || namesIndex == SHN_XINDEX) {
        const std::optional<Elf64_Shdr> first = readStruct<Elf64_Shdr>(elf, header->e_shoff);
        if (!first)
            return std::nullopt;
        count = count == 0 ? first->sh_size : count;
        namesIndex = namesIndex == SHN_XINDEX ? first->sh_link : namesIndex;
    }
    if (count == 0 || namesIndex >= count || count > quint64(elf.size()) / sizeof(Elf64_Shdr))
        return std::nullopt;
    const std::optional<QByteArray> table =
        readAt(elf, header->e_shoff, count * sizeof(Elf64_Shdr));
    if (!table)
        return std::nullopt;
    const auto section = [&table](quint64 index) {
        Elf64_Shdr result;
        std::memcpy(&result, table->constData() + index * sizeof(Elf64_Shdr), sizeof result);
        return result;
    };

    const Elf64_Shdr namesSection = section(namesIndex);
    if (namesSection.sh_type == SHT_NOBITS)
        return std::nullopt;
    const std::optional<QByteArray> names =
        readAt(elf, namesSection.sh_offset, namesSection.sh_size);
    if (!names)
        return std::nullopt;
    for (quint64 i = 0; i < count; ++i) {
        const Elf64_Shdr candidate = section(i);
        if (candidate.sh_name >= quint64(names->size()))
            continue;
        // The name ends at its zero byte, which must lie within the names.
        const QByteArrayView rest = QByteArrayView(*names).sliced(qsizetype(candidate.sh_name));
        const qsizetype end = rest.indexOf('\0');
        if (end < 0 || rest.first(end) != name)
            continue;
        if (candidate.sh_type == SHT_NOBITS || candidate.sh_size > quint64(maxSize))
            return std::nullopt;
        return readAt(elf, candidate.sh_offset, candidate.sh_size);
    }
    return std::nullopt;
}
