#pragma once

#include "settings/settingsstore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// One settings file in the Windows profile format: "[Section]" headers and "key=value"
// lines. Names and values go in and come out as Windows-1252 bytes; the file itself is
// Windows-1252, or UTF-8 when it starts with a UTF-8 byte-order mark or its non-ASCII bytes
// form valid UTF-8 (as Linux editors save it), and keeps its encoding when written. Sections
// and keys match without regard to ASCII letter case; the first of duplicate sections or keys
// is the one read, written and deleted.
//
// The file is read once, on first use, and kept; before each access a stat tells whether
// another writer (another ProfileFile on the same path) replaced it, and then it is read
// again. Every write goes straight to disk through a temporary file that replaces the old
// one, so a failed write leaves the file (and what this object knows of it) as it was. Where
// the folder allows no new file, the file is written over in place (InPlaceWrite), which never
// leaves it empty and completes a write cut short at the next read. writeAtOnce() collects
// many writes into one.
class ProfileFile final : public SettingsStore
{
public:
    // Opening neither reads nor creates the file.
    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }

    // The value after "=", without the blanks around it and one pair of enclosing quotes,
    // at most 2047 characters; the default when the file, section or key is missing.
    QByteArray readString(QByteArrayView section, QByteArrayView key,
                          const QByteArray &defaultValue) const override;
    // "0x" followed by up to eight significant hexadecimal digits (0xFFFFFFFF is -1), or an
    // optionally signed decimal number within 32 bits; anything else gives the default.
    qint32 readInteger(QByteArrayView section, QByteArrayView key,
                       qint32 defaultValue) const override;
    // Whether the file holds the key, whatever its value.
    bool contains(QByteArrayView section, QByteArrayView key) const;

    // Write or delete one key; the file and the section are created as needed. A line
    // break in a value is written as a blank, so a value can never start a new line.
    // Raises AppError "In <path> kann nicht geschrieben werden" when the file is read-only,
    // exists but cannot be read, or cannot be replaced; the file is then left untouched.
    void writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value) override;
    void writeInteger(QByteArrayView section, QByteArrayView key, qint32 value) override;
    // Deleting a key that is not there writes nothing; a path that exists but cannot be
    // read raises the error, since the key may be there.
    void deleteKey(QByteArrayView section, QByteArrayView key) override;

    // Runs `writes` (calls of the write operations above) with their changes collected in
    // memory, then writes the file once. The file ends as the single writes would leave it,
    // also when one of them raises: what came before is written, then the error goes on.
    template<typename Writes>
    void writeAtOnce(Writes &&writes);

    // Whether the file exists and the current user may not write it. A file without any
    // write permission bit counts as read-only even for root, since that is what the
    // Windows read-only attribute becomes here.
    static bool isReadOnly(const QString &path);

    // The longest value readString returns.
    static constexpr qsizetype MaxValueLength = 2047;

private:
    struct KeyLine
    {
        qsizetype lineBegin;
        qsizetype keyBegin;
        qsizetype keyEnd;
        qsizetype valueBegin; // first non-blank after "="
        qsizetype valueEnd;
        qsizetype contentEnd; // end of the line without its line break
        qsizetype next;       // start of the following line
    };
    struct Section
    {
        qsizetype nameBegin;
        qsizetype nameEnd;
        qsizetype headerContentEnd;
        qsizetype headerNext;
        QList<KeyLine> keys;
    };
    // What identifies one version of the file on disk.
    struct Stamp
    {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 mtimeSec = 0;
        qint64 mtimeNsec = 0;
        bool regular = false;
        bool operator==(const Stamp &) const = default;
    };

    // The stamp of the file now; none when that cannot be told.
    std::optional<Stamp> currentStamp() const;
    void refresh() const;
    void load() const;
    void parse() const;
    const Section *findSection(QByteArrayView section) const;
    const KeyLine *findKey(QByteArrayView section, QByteArrayView key) const;
    std::optional<QByteArray> lookup(QByteArrayView section, QByteArrayView key) const;
    QByteArray lineBreak() const;
    void writeContent(const QByteArray &content);
    void writePending();
    QByteArray fromFileEncoding(QByteArrayView text) const;
    QByteArray toFileEncoding(QByteArrayView text) const;
    [[noreturn]] void throwWriteError() const;

    QString m_path;
    mutable bool m_loaded = false;
    mutable bool m_readable = true; // false when the path exists but could not be read
    mutable Stamp m_stamp;
    mutable QByteArray m_content;
    mutable QList<Section> m_sections;
    mutable bool m_utf8 = false;
    bool m_collecting = false;
    bool m_pendingWrite = false;
};

template<typename Writes>
void ProfileFile::writeAtOnce(Writes &&writes)
{
    m_collecting = true;
    try {
        writes();
    } catch (...) {
        writePending();
        throw;
    }
    writePending();
}
