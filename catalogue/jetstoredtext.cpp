#include "catalogue/jetstoredtext.h"

#include "platform/cp1252.h"

#include <QVarLengthArray>

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

// Jet 3: the bytes up to a 0 byte, and no further than libmdb's buffer holds their UTF-8 form.
QByteArray fromWindows1252(QByteArrayView stored, qsizetype utf8Limit)
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
    return stored.first(end).toByteArray();
}

} // namespace

QByteArray toCp1252(QByteArrayView stored, Form form, qsizetype utf8Limit)
{
    if (form == Form::Windows1252)
        return fromWindows1252(stored, utf8Limit);
    const auto *bytes = reinterpret_cast<const unsigned char *>(stored.data());
    qsizetype size = stored.size();
    QVarLengthArray<char16_t, 512> units;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        // A 0x00 byte toggles between one byte per unit and two; libmdb tests it on the first
        // byte of a pair as well, so a unit whose low byte is 0 cannot be stored this way.
        bool oneByte = true;
        for (qsizetype i = 2; i < size;) {
            if (bytes[i] == 0) {
                oneByte = !oneByte;
                ++i;
            } else if (oneByte) {
                units.append(bytes[i++]);
            } else if (i + 1 < size) {
                units.append(char16_t(bytes[i] | bytes[i + 1] << 8));
                i += 2;
            } else {
                break;
            }
        }
    } else {
        for (qsizetype i = 0; i + 1 < size; i += 2)
            units.append(char16_t(bytes[i] | bytes[i + 1] << 8));
    }

    qsizetype count = 0;
    qsizetype utf8 = 0;
    bool ascii = true;
    for (; count < units.size() && units[count] != 0; ++count) {
        const char16_t unit = units[count];
        if (utf8Limit != NoLimit) {
            utf8 += utf8Size(unit);
            if (utf8 > utf8Limit)
                break;
        }
        if (unit >= 0x80) {
            ascii = false;
            if (isSurrogate(unit)) // iconv's UCS-2 takes each half as invalid on its own
                units[count] = u'?';
        }
    }
    if (!ascii)
        return Cp1252::fromUnicode(QStringView(units.constData(), count));
    QByteArray text(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        text[i] = char(units[i]);
    return text;
}

} // namespace JetStoredText
