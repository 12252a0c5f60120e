#include "tools/jetwriter/jettext.h"

using namespace Qt::StringLiterals;

namespace Jet {

namespace {

// In compressed form a 0x00 byte toggles between one byte per character (U+0001 to U+00FF)
// and two bytes per character. Readers test the first byte of every pair for that toggle, so
// a character with a zero low byte (U+0100, U+2000, ...) has no compressed form at all.
bool narrow(char16_t c)
{
    return c <= 0xFF;
}

bool compressible(char16_t c)
{
    return (c & 0xFF) != 0;
}

void appendPlain(QByteArray &out, QStringView text)
{
    for (QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
}

// Writes the shortest compressed form. Starting in one-byte mode, a run of k narrow
// characters met in two-byte mode costs 2k bytes if we stay and k + 2 if we switch out and
// back, so switch for k > 2; a run that ends the text needs no switch back, so there k > 1.
void appendCompressed(QByteArray &out, QStringView text)
{
    out.append('\xFF');
    out.append('\xFE');
    bool twoByteMode = false;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!narrow(text[i].unicode())) {
            if (!twoByteMode) {
                out.append('\0');
                twoByteMode = true;
            }
            out.append(char(text[i].unicode() & 0xFF));
            out.append(char(text[i].unicode() >> 8));
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && narrow(text[end].unicode()))
            ++end;
        const qsizetype run = end - i;
        if (twoByteMode && (run > 2 || (end == text.size() && run > 1))) {
            out.append('\0');
            twoByteMode = false;
        }
        for (; i < end; ++i) {
            out.append(char(text[i].unicode()));
            if (twoByteMode)
                out.append('\0');
        }
    }
}

// The characters of the Windows-1252 bytes 0x80 to 0x9F; 0 where the code page defines none.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The Windows-1252 byte of `c`, or 0 when it has none.
char windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (Windows1252High[i] == c && c != 0)
            return char(0x80 + i);
    }
    return 0;
}

} // namespace

bool appendJet3Text(QByteArray &out, QStringView text, QString *error)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        bytes[i] = windows1252Byte(text[i].unicode());
        if (bytes[i] == 0) {
            *error = u"the character U+%1 has no Windows-1252 form"_s.arg(
                QString::number(text[i].unicode(), 16).toUpper().rightJustified(4, u'0'));
            return false;
        }
    }
    out.append(bytes);
    return true;
}

bool appendJetText(QByteArray &out, QStringView text, QString *error)
{
    bool canCompress = true;
    for (QChar c : text) {
        if (c.unicode() == 0) {
            *error = u"the character U+0000 cannot be stored"_s;
            return false;
        }
        if (c.isSurrogate()) {
            // Readers convert from UCS-2, which has no surrogate pairs.
            *error = u"characters outside the Basic Multilingual Plane cannot be stored"_s;
            return false;
        }
        canCompress = canCompress && compressible(c.unicode());
    }
    const bool leadingMark = !text.isEmpty() && text.front().unicode() == 0xFEFF;
    if (!canCompress) {
        if (leadingMark) {
            *error = u"a text that starts with U+FEFF must be stored compressed, which this "
                     u"one cannot be"_s;
            return false;
        }
        appendPlain(out, text);
        return true;
    }
    const qsizetype start = out.size();
    appendCompressed(out, text);
    if (out.size() - start < 2 * text.size() || leadingMark)
        return true;
    // Never shorter for texts of one or two characters, and never a lone FF FE for "".
    out.truncate(start);
    appendPlain(out, text);
    return true;
}

} // namespace Jet
