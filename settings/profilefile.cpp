#include "settings/profilefile.h"

#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "platform/decimalnumber.h"
#include "platform/savefile.h"
#include "platform/textrules.h"
#include "settings/inplacewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

bool isBlank(char c)
{
    return TextRules::isTrimmed(c);
}

// A name the file could not give back as written ("a=b" as a key, "x]" as a section, a line
// break in either) would corrupt the file or land under another name.
bool isWritableSection(QByteArrayView name)
{
    return !name.isEmpty() && !name.contains(']') && !name.contains('\n') && !name.contains('\r');
}

bool isWritableKey(QByteArrayView name)
{
    return !name.isEmpty() && name.front() != '[' && name.front() != ';' && !name.contains('=') &&
           !name.contains('\n') && !name.contains('\r');
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<qint32> parseInteger(QByteArrayView text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        quint32 value = 0;
        for (const char c : text.sliced(2)) {
            const int digit = hexDigit(c);
            if (digit < 0 || value > 0x0FFFFFFFu)
                return std::nullopt;
            value = value * 16 + quint32(digit);
        }
        // Eight hex digits fill all 32 bits, so 0xFFFFFFFF reads as -1.
        return static_cast<qint32>(value);
    }
    qint32 value = 0;
    if (!parseDecimalInt32(text, value))
        return std::nullopt;
    return value;
}

constexpr QByteArrayView Utf8ByteOrderMark = "\xef\xbb\xbf";

bool isUtf8(const QByteArray &content)
{
    if (content.startsWith(Utf8ByteOrderMark))
        return true;
    if (std::all_of(content.begin(), content.end(), [](char c) { return uchar(c) < 0x80; }))
        return false; // plain ASCII reads the same either way; Windows-1252 stays the default
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(content);
    return !decoder.hasError();
}

} // namespace

ProfileFile::ProfileFile(QString path)
    : m_path(std::move(path))
{
}

QByteArray ProfileFile::readString(QByteArrayView section, QByteArrayView key,
                                   const QByteArray &defaultValue) const
{
    const std::optional<QByteArray> text = lookup(section, key);
    if (!text)
        return defaultValue;
    return text->first(std::min(text->size(), MaxValueLength));
}

qint32 ProfileFile::readInteger(QByteArrayView section, QByteArrayView key,
                                qint32 defaultValue) const
{
    const std::optional<QByteArray> text = lookup(section, key);
    if (!text)
        return defaultValue;
    return parseInteger(*text).value_or(defaultValue);
}

bool ProfileFile::contains(QByteArrayView section, QByteArrayView key) const
{
    return lookup(section, key).has_value();
}

void ProfileFile::writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    section = TextRules::trimmed(section);
    key = TextRules::trimmed(key);
    if (!isWritableSection(section) || !isWritableKey(key) || isReadOnly(m_path))
        throwWriteError();
    refresh();
    if (!m_readable)
        throwWriteError();

    QByteArray text = toFileEncoding(value);
    text.replace('\r', ' ').replace('\n', ' ');
    const QByteArray sectionText = toFileEncoding(section);
    const QByteArray keyText = toFileEncoding(key);
    const QByteArray eol = lineBreak();
    QByteArray content = m_content;
    if (const KeyLine *line = findKey(section, key)) {
        // Keep the line up to its value, so its key and spacing stay as they were.
        content.replace(line->valueBegin, line->contentEnd - line->valueBegin, text);
    } else if (const Section *s = findSection(section)) {
        const qsizetype contentEnd =
            s->keys.isEmpty() ? s->headerContentEnd : s->keys.last().contentEnd;
        const qsizetype next = s->keys.isEmpty() ? s->headerNext : s->keys.last().next;
        QByteArray inserted = keyText + '=' + text + eol;
        if (next == contentEnd) // the last line of the file, without a line break
            inserted.prepend(eol);
        content.insert(next, inserted);
    } else {
        if (!content.isEmpty() && !content.endsWith('\n'))
            content += eol;
        content += '[' + sectionText + ']' + eol + keyText + '=' + text + eol;
    }
    // Rewriting a file with its own bytes gains nothing and costs a rename.
    if (content == m_content)
        return;
    writeContent(content);
}

void ProfileFile::writeInteger(QByteArrayView section, QByteArrayView key, qint32 value)
{
    writeString(section, key, QByteArray::number(value));
}

void ProfileFile::deleteKey(QByteArrayView section, QByteArrayView key)
{
    refresh();
    if (!m_readable)
        throwWriteError();
    const KeyLine *line = findKey(section, key);
    if (!line)
        return;
    if (isReadOnly(m_path))
        throwWriteError();
    QByteArray content = m_content;
    content.remove(line->lineBegin, line->next - line->lineBegin);
    writeContent(content);
}

bool ProfileFile::isReadOnly(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    // WriteUser comes from access(2), which grants root everything; the mode bits do not.
    const QFile::Permissions permissions = info.permissions();
    return !(permissions & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)) ||
           !(permissions & QFile::WriteUser);
}

std::optional<ProfileFile::Stamp> ProfileFile::currentStamp() const
{
    struct stat info;
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Stamp();
        return std::nullopt;
    }
    return Stamp{true,
                 quint64(info.st_dev),
                 quint64(info.st_ino),
                 qint64(info.st_size),
                 qint64(info.st_mtim.tv_sec),
                 qint64(info.st_mtim.tv_nsec),
                 S_ISREG(info.st_mode)};
}

void ProfileFile::refresh() const
{
    // Collected writes are newer than the file.
    if (m_pendingWrite || (m_loaded && m_readable && currentStamp() == m_stamp))
        return;
    load();
}

void ProfileFile::load() const
{
    m_loaded = true;
    m_content.clear();
    m_sections.clear();
    m_utf8 = false;
    const std::optional<Stamp> stamp = currentStamp();
    m_stamp = stamp.value_or(Stamp());
    // A missing file reads as empty. A path that exists but is no regular file (a folder, or
    // a FIFO that might never end) or cannot be read is unreadable, so that a write cannot
    // replace what was never seen.
    m_readable = stamp && (!stamp->exists || stamp->regular);
    if (!m_readable || !stamp->exists)
        return;
    // A write over the file that was cut short is completed first, so that what is read is
    // its whole old or whole new content.
    if (InPlaceWrite::complete(m_path))
        m_stamp = currentStamp().value_or(Stamp());
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly))
        m_content = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        m_readable = false;
        m_content.clear();
        return;
    }
    // Written between the stat and the read: the stamp no longer fits, read again next time.
    if (currentStamp() != m_stamp)
        m_stamp = Stamp();
    m_utf8 = isUtf8(m_content);
    parse();
}

void ProfileFile::parse() const
{
    m_sections.clear();
    const char *const data = m_content.constData();
    const qsizetype size = m_content.size();
    qsizetype pos = m_content.startsWith(Utf8ByteOrderMark) ? Utf8ByteOrderMark.size() : 0;
    while (pos < size) {
        const auto *lf =
            static_cast<const char *>(std::memchr(data + pos, '\n', size_t(size - pos)));
        const qsizetype next = lf ? (lf - data) + 1 : size;
        qsizetype contentEnd = lf ? lf - data : size;
        if (lf && contentEnd > pos && data[contentEnd - 1] == '\r')
            --contentEnd;
        const qsizetype lineBegin = pos;
        qsizetype begin = pos;
        pos = next;
        while (begin < contentEnd && isBlank(data[begin]))
            ++begin;
        if (begin == contentEnd || data[begin] == ';')
            continue;
        const QByteArrayView line(data + begin, contentEnd - begin);

        if (line.front() == '[') {
            const qsizetype close = line.indexOf(']');
            if (close > 0) {
                const QByteArrayView name = TextRules::trimmed(line.sliced(1, close - 1));
                const qsizetype nameBegin = name.data() - data;
                m_sections.append(
                    {nameBegin, nameBegin + name.size(), contentEnd, next, QList<KeyLine>()});
                continue;
            }
            // Without "]" it is no header; like any other line it may hold a key.
        }
        const qsizetype equals = line.indexOf('=');
        if (equals < 0 || m_sections.isEmpty())
            continue; // no key, or a key before the first section
        const QByteArrayView keyText = TextRules::trimmed(line.first(equals));
        const QByteArrayView valueText = TextRules::trimmed(line.sliced(equals + 1));
        const qsizetype keyBegin = keyText.data() - data;
        const qsizetype valueBegin =
            valueText.isEmpty() ? contentEnd : qsizetype(valueText.data() - data);
        m_sections.last().keys.append({lineBegin, keyBegin, keyBegin + keyText.size(), valueBegin,
                                       valueBegin + valueText.size(), contentEnd, next});
    }
}

const ProfileFile::Section *ProfileFile::findSection(QByteArrayView wanted) const
{
    const QByteArray section = toFileEncoding(TextRules::trimmed(wanted));
    for (const Section &s : m_sections) {
        const QByteArrayView name(m_content.constData() + s.nameBegin, s.nameEnd - s.nameBegin);
        if (TextRules::equalsUpper(name, section))
            return &s;
    }
    return nullptr;
}

std::optional<QByteArray> ProfileFile::lookup(QByteArrayView section, QByteArrayView key) const
{
    refresh();
    const KeyLine *line = findKey(section, key);
    if (!line)
        return std::nullopt;
    QByteArrayView text(m_content.constData() + line->valueBegin,
                        line->valueEnd - line->valueBegin);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.sliced(1, text.size() - 2);
    return fromFileEncoding(text);
}

QByteArray ProfileFile::fromFileEncoding(QByteArrayView text) const
{
    return m_utf8 ? Cp1252::fromUnicode(QString::fromUtf8(text)) : text.toByteArray();
}

QByteArray ProfileFile::toFileEncoding(QByteArrayView text) const
{
    return m_utf8 ? Cp1252::toUnicode(text).toUtf8() : text.toByteArray();
}

const ProfileFile::KeyLine *ProfileFile::findKey(QByteArrayView section, QByteArrayView key) const
{
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    const QByteArray wanted = toFileEncoding(TextRules::trimmed(key));
    for (const KeyLine &line : s->keys) {
        const QByteArrayView name(m_content.constData() + line.keyBegin,
                                  line.keyEnd - line.keyBegin);
        if (TextRules::equalsUpper(name, wanted))
            return &line;
    }
    return nullptr;
}

QByteArray ProfileFile::lineBreak() const
{
    // The first line decides; a file without any line break gets the Windows one.
    const qsizetype lf = m_content.indexOf('\n');
    return (lf > 0 && m_content[lf - 1] == '\r') || lf < 0 ? QByteArray("\r\n") : QByteArray("\n");
}

void ProfileFile::writeContent(const QByteArray &content)
{
    if (m_collecting) {
        m_content = content;
        parse();
        m_pendingWrite = true;
        return;
    }
    // QSaveFile writes a temporary file beside the old one and renames it over it only when
    // everything was written; it keeps the old file's permissions and follows a symlink to
    // its target. Where the folder does not allow a new file but the file may be written, the
    // file is written over in place, as the profile functions the format comes from do; never
    // by QSaveFile's own fallback, which empties the file first.
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        if (file.write(content) != content.size() || !commitSaveFile(file))
            throwWriteError();
    } else if (!QFileInfo(m_path).isFile() || !InPlaceWrite::write(m_path, content)) {
        throwWriteError();
    }
    m_content = content;
    parse();
    m_readable = true;
    const std::optional<Stamp> stamp = currentStamp();
    m_stamp = stamp.value_or(Stamp());
    m_loaded = stamp.has_value();
}

void ProfileFile::writePending()
{
    m_collecting = false;
    if (!m_pendingWrite)
        return;
    m_pendingWrite = false;
    const QByteArray content = m_content;
    try {
        writeContent(content);
    } catch (...) {
        m_loaded = false; // what is in memory never reached the file
        throw;
    }
}

void ProfileFile::throwWriteError() const
{
    throw AppError(u"In "_s + m_path + u" kann nicht geschrieben werden"_s);
}
