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

} // namespace

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
