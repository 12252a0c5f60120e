#include "catalogue/jetstoredtext.h"

#include "platform/cp1252.h"

#include <QString>

#include <array>
#include <utility>

namespace JetStoredText {

namespace {

bool isSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit < 0xE000;
}

qsizetype utf8Size(char16_t unit)
{
    if (unit < 0x80 || isSurrogate(unit)) // a surrogate half becomes libmdb's "?"
        return 1;
    return unit < 0x800 ? 2 : 3;
}

// The Windows-1252 byte of each UTF-16 unit, "?" where there is none, as a table made once
// from the code page: direct for the units up to U+00FF, a short list for the rest.
class CodePage
{
public:
    CodePage()
    {
        m_narrow.fill('?');
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString characters = Cp1252::toUnicode(all);
        for (int b = 0; b < 256; ++b) {
            const char16_t c = characters[b].unicode();
            if (c <= 0xFF)
                m_narrow[c] = char(b);
            else
                m_wide[m_wideCount++] = {c, char(b)};
        }
    }

    char byteOf(char16_t unit) const
    {
        if (unit <= 0xFF)
            return m_narrow[unit];
        for (int i = 0; i < m_wideCount; ++i) {
            if (m_wide[i].first == unit)
                return m_wide[i].second;
        }
        return '?';
    }

private:
    std::array<char, 256> m_narrow{};
    std::array<std::pair<char16_t, char>, 32> m_wide{};
    int m_wideCount = 0;
};

const CodePage &codePage()
{
    static const CodePage table;
    return table;
}

// Jet 3: the bytes up to a 0 byte, and no further than libmdb's buffer holds their UTF-8 form.
QByteArrayView fromWindows1252(QByteArrayView stored, qsizetype utf8Limit)
{
    qsizetype end = stored.indexOf('\0');
    if (end < 0)
        end = stored.size();
    if (utf8Limit != NoLimit) {
        const QString text = Cp1252::toUnicode(stored.first(end));
        qsizetype utf8 = 0;
        for (qsizetype i = 0; i < end; ++i) {
            // An undefined byte (a C1 control here) becomes libmdb's one-byte "?".
            const char16_t unit = text[i].unicode();
            utf8 += unit >= 0x80 && unit < 0xA0 ? 1 : utf8Size(unit);
            if (utf8 > utf8Limit) {
                end = i;
                break;
            }
        }
    }
    return stored.first(end);
}

} // namespace

QByteArrayView toCp1252(QByteArrayView stored, Form form, QByteArray &buffer, qsizetype utf8Limit)
{
    if (form == Form::Windows1252)
        return fromWindows1252(stored, utf8Limit);
    const auto *bytes = reinterpret_cast<const unsigned char *>(stored.data());
    const qsizetype size = stored.size();
    const CodePage &table = codePage();
    // Every character takes at least one stored byte.
    buffer.resize(size);
    char *const out = buffer.data();
    qsizetype count = 0;
    qsizetype utf8 = 0;
    const auto put = [&](char16_t unit) {
        if (utf8Limit != NoLimit) {
            utf8 += utf8Size(unit);
            if (utf8 > utf8Limit)
                return false;
        }
        out[count++] = table.byteOf(unit);
        return true;
    };
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        // A 0x00 byte toggles between one byte per unit and two; libmdb tests it on the first
        // byte of a pair as well, so no unit here is 0.
        bool oneByte = true;
        for (qsizetype i = 2; i < size;) {
            char16_t unit;
            if (bytes[i] == 0) {
                oneByte = !oneByte;
                ++i;
                continue;
            }
            if (oneByte) {
                unit = bytes[i++];
            } else if (i + 1 < size) {
                unit = char16_t(bytes[i] | bytes[i + 1] << 8);
                i += 2;
            } else {
                break;
            }
            if (!put(unit))
                break;
        }
    } else {
        for (qsizetype i = 0; i + 1 < size; i += 2) {
            const auto unit = char16_t(bytes[i] | bytes[i + 1] << 8);
            if (unit == 0 || !put(unit))
                break;
        }
    }
    return {out, count};
}

QByteArray toCp1252(QByteArrayView stored, Form form, qsizetype utf8Limit)
{
    QByteArray buffer;
    const QByteArrayView text = toCp1252(stored, form, buffer, utf8Limit);
    if (text.isEmpty())
        return {};
    if (text.data() != buffer.constData())
        return text.toByteArray();
    buffer.truncate(text.size());
    return buffer;
}

} // namespace JetStoredText
