#include "structuresweep.h"

#include "sweepload.h"

#include "catalogue/jetformat.h"
#include "platform/stdiosilencer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <vector>

// glib first: mdbtools.h wraps its includes in extern "C", which breaks glib's C++ parts.
#include <glib.h>
#include <mdbtools.h>

using namespace Qt::StringLiterals;

namespace Sweep {

namespace {

enum Group { Definitions, MemoFields, LongValuePages, StoredValues, GroupCount };
const char *const GroupNames[GroupCount] = {"table definitions", "memo fields", "long-value pages",
                                            "stored memo values (apart)"};

constexpr int MemoFieldSize = 12;
constexpr int InlineSample = 20;  // every twentieth memo field kept in its row
constexpr int StoredSample = 16;  // bytes changed in each stored value
constexpr int SilentExamples = 6; // listed per group

struct Target
{
    qsizetype offset;
    Group group;
    QString what; // the field, for the list of silent results
};

quint16 u16(const QByteArray &bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return quint32(u16(bytes, at)) | quint32(u16(bytes, at + 2)) << 16;
}

// A memo field found through libmdb in the sound file.
struct MemoField
{
    qsizetype offset; // of its 12 bytes in the file
    QString column;   // table.column
};

// Reads every table of the sound file through libmdb and notes where each memo field lies, and
// the name of the table each definition page belongs to.
std::vector<MemoField> findMemoFields(const QByteArray &file, qsizetype pageSize,
                                      std::map<qsizetype, QString> &tableOfPage)
{
    QByteArray copy = file; // libmdb takes a writable buffer
    const StdioSilencer quiet;
    MdbHandle *mdb = mdb_open_buffer(copy.data(), std::size_t(copy.size()), MDB_NOFLAGS);
    if (!mdb)
        qFatal("libmdb cannot open the sound catalogue");
    mdb_read_catalog(mdb, MDB_TABLE);
    std::vector<MemoField> fields;
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        const QString name = QString::fromUtf8(entry->object_name);
        tableOfPage[qsizetype(entry->table_pg)] = name;
        MdbTableDef *table = mdb_read_table(entry);
        if (!table || !mdb_read_columns(table)) {
            mdb_free_tabledef(table);
            continue;
        }
        mdb_rewind_table(table);
        while (mdb_fetch_row(table)) {
            for (guint c = 0; c < table->num_cols; ++c) {
                const auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c));
                if (col->col_type == MDB_MEMO && col->cur_value_len >= MemoFieldSize)
                    fields.push_back(
                        {qsizetype(table->cur_phys_pg) * pageSize + col->cur_value_start,
                         name + u'.' + QString::fromUtf8(col->name)});
            }
        }
        mdb_free_tabledef(table);
    }
    mdb_close(mdb);
    return fields;
}

// Where the structures lie in the sound file, as targets to change.
class Layout
{
public:
    explicit Layout(const QByteArray &file)
        : m_file(file)
        , m_format(file[0x14] == 0 ? Jet3Format : Jet4Format)
    {
        const std::vector<MemoField> memos = findMemoFields(file, m_format.pageSize, m_tableOfPage);
        for (qsizetype page = 1; page < file.size() / m_format.pageSize; ++page) {
            const qsizetype at = page * m_format.pageSize;
            if (file[at] == 0x02)
                addDefinition(page);
            else if (file[at] == 0x01 && file.sliced(at + 4, 4) == "LVAL")
                addLongValuePage(page);
        }
        int inlineCount = 0;
        for (const MemoField &field : memos) {
            const bool inRow = quint8(m_file[field.offset + 3]) == 0x80;
            if (!inRow || inlineCount++ % InlineSample == 0)
                addMemoField(field);
        }
    }

    std::vector<Target> targets;
    int definitions = 0;
    int memoFields = 0;
    int longValuePages = 0;

private:
    void add(qsizetype from, qsizetype count, Group group, const QString &what)
    {
        for (qsizetype i = 0; i < count; ++i)
            targets.push_back({from + i, group, what});
    }

    // Up to StoredSample bytes spread over a stored value.
    void addStored(qsizetype from, qsizetype count, const QString &what)
    {
        const qsizetype step = std::max<qsizetype>(1, count / StoredSample);
        for (qsizetype i = 0; i < count && i / step < StoredSample; i += step)
            targets.push_back({from + i, StoredValues, what});
    }

    // The bytes of a row named by a page/row pointer, as the slot table gives them.
    bool rowOf(quint32 pointer, qsizetype &start, qsizetype &end) const
    {
        const qsizetype page = qsizetype(pointer >> 8) * m_format.pageSize;
        const int row = int(pointer & 0xFF);
        if (page <= 0 || page >= m_file.size())
            return false;
        const auto slot = [&](int n) {
            return qsizetype(u16(m_file, page + m_format.firstSlotOffset() + 2 * n) & 0x1FFF);
        };
        start = page + slot(row);
        end = page + (row == 0 ? m_format.pageSize : slot(row - 1));
        return start < end;
    }

    void addDefinition(qsizetype page)
    {
        ++definitions;
        const qsizetype at = page * m_format.pageSize;
        const qsizetype length = std::min<qsizetype>(u32(m_file, at + 8), m_format.pageSize);
        const QString table = m_tableOfPage.count(page) ? m_tableOfPage.at(page) : u"?"_s;
        const int columns = u16(m_file, at + m_format.columnCountOffset);
        const qsizetype entries =
            m_format.firstEntryOffset + qsizetype(u32(m_file, at + m_format.realIndexCountOffset)) *
                                            m_format.realIndexEntrySize;
        const QStringList names =
            columnNames(at + entries + columns * m_format.columnEntrySize, columns);
        for (qsizetype offset = 0; offset < length; ++offset)
            targets.push_back(
                {at + offset, Definitions, table + u": "_s + field(offset, entries, names)});
    }

    QStringList columnNames(qsizetype at, int count) const
    {
        QStringList names;
        for (int i = 0; i < count && at < m_file.size(); ++i) {
            const int length = m_format.nameLengthSize == 1 ? quint8(m_file[at]) : u16(m_file, at);
            at += m_format.nameLengthSize;
            const QByteArray bytes =
                m_file.sliced(at, std::min(qsizetype(length), m_file.size() - at));
            names.append(
                m_format.textIsUcs2
                    ? QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()),
                                         bytes.size() / 2)
                    : QString::fromLatin1(bytes));
            at += length;
        }
        return names;
    }

    // What a byte of a definition holds.
    QString field(qsizetype offset, qsizetype entries, const QStringList &names) const
    {
        const struct
        {
            int at;
            int size;
            const char *name;
        } header[] = {
            {0, 1, "page type"},
            {4, 4, "next-page pointer"},
            {8, 4, "definition length"},
            {m_format.definitionRowCountOffset, 4, "row count"},
            {m_format.columnNumberLimitOffset(), 2, "column-number limit"},
            {m_format.variableColumnCountOffset(), 2, "variable-column count"},
            {m_format.columnCountOffset, 2, "column count"},
            {m_format.realIndexCountOffset, 4, "index-entry count"},
            {m_format.usageMapOffset, 4, "usage-map pointer"},
            {m_format.usageMapOffset + 4, 4, "free-space-map pointer"},
        };
        if (offset < m_format.firstEntryOffset) {
            for (const auto &f : header) {
                if (offset >= f.at && offset < f.at + f.size)
                    return QString::fromLatin1(f.name);
            }
            return u"unused header byte"_s;
        }
        const qsizetype entry = (offset - entries) / m_format.columnEntrySize;
        if (offset < entries || entry >= names.size())
            return offset < entries ? u"index entry"_s : u"column names"_s;
        const int within = int((offset - entries) % m_format.columnEntrySize);
        const JetFormat::ColumnEntry &e = m_format.entry;
        const QString what = within == 0                                       ? u"type"_s
                             : within >= e.number && within < e.number + 2     ? u"number"_s
                             : within >= e.varIndex && within < e.varIndex + 2 ? u"variable index"_s
                             : within == e.flags                               ? u"flags"_s
                             : within >= e.fixedOffset && within < e.fixedOffset + 2
                                 ? u"fixed offset"_s
                             : within >= e.length && within < e.length + 2 ? u"length"_s
                                                                           : u"unused entry byte"_s;
        return u"column %1 %2"_s.arg(names[entry], what);
    }

    void addLongValuePage(qsizetype page)
    {
        ++longValuePages;
        const qsizetype at = page * m_format.pageSize;
        add(at, m_format.firstSlotOffset(), LongValuePages, u"long-value page header"_s);
        add(at + m_format.firstSlotOffset(), 2 * u16(m_file, at + m_format.rowCountOffset),
            LongValuePages, u"long-value page slot"_s);
    }

    void addMemoField(const MemoField &memo)
    {
        ++memoFields;
        const quint8 kind = quint8(m_file[memo.offset + 3]);
        const QString what = memo.column + (kind == 0x80   ? u", in the row"_s
                                            : kind == 0x40 ? u", on a long-value page"_s
                                                           : u", chained"_s);
        add(memo.offset, 4, MemoFields, what + u": length and kind"_s);
        add(memo.offset + 4, 4, MemoFields, what + u": pointer"_s);
        add(memo.offset + 8, 4, MemoFields, what + u": unused bytes"_s);
        const qsizetype length = u32(m_file, memo.offset) & 0x3FFFFFFF;
        if (kind == 0x80) {
            addStored(memo.offset + MemoFieldSize, length, what);
            return;
        }
        qsizetype start = 0;
        qsizetype end = 0;
        quint32 pointer = u32(m_file, memo.offset + 4);
        if (kind == 0x40) {
            if (rowOf(pointer, start, end))
                addStored(start, end - start, what);
            return;
        }
        for (int piece = 0; pointer != 0 && piece < 1000 && rowOf(pointer, start, end); ++piece) {
            add(start, 4, LongValuePages, u"chain pointer"_s);
            addStored(start + 4, end - start - 4, what);
            pointer = u32(m_file, start);
        }
    }

    const QByteArray &m_file;
    const JetFormat &m_format;
    std::map<qsizetype, QString> m_tableOfPage;
};

// The values a byte is changed to: its eight bit flips, 00 and FF; inside stored values two
// flips. None equals the byte itself.
std::vector<quint8> changesOf(quint8 value, Group group)
{
    std::vector<quint8> values;
    if (group == StoredValues)
        return {quint8(value ^ 0x01), quint8(value ^ 0x80)};
    for (int bit = 0; bit < 8; ++bit)
        values.push_back(quint8(value ^ (1 << bit)));
    for (quint8 v : {quint8(0x00), quint8(0xFF)}) {
        if (v != value && std::find(values.begin(), values.end(), v) == values.end())
            values.push_back(v);
    }
    return values;
}

enum Outcome { Correct, Message, Silent, Crash, Hang, UnknownError, OutcomeCount };
const char *const OutcomeNames[OutcomeCount] = {"correct", "message", "SILENT",
                                                "CRASH",   "HANG",    "UNKNOWN"};

} // namespace

StructureOutcome sweepStructures(const QString &name, const QByteArray &original,
                                 const QString &workFolder, const QString &keep)
{
    const Layout layout(original);
    Result reference;
    const QString folder = workFolder + u"/structure"_s;
    if (loadInChild(folder, original, reference) != Fate::Loaded || !reference.error.isEmpty())
        qFatal("the sound catalogue \"%s\" does not load: %s", qPrintable(name),
               qPrintable(reference.error));

    std::array<std::array<int, OutcomeCount>, GroupCount> counts{};
    std::array<std::map<QString, int>, GroupCount> silentByField;
    std::array<std::map<QString, int>, GroupCount> messages;
    StructureOutcome outcome;
    QElapsedTimer timer;
    timer.start();
    for (const Target &target : layout.targets) {
        const auto before = quint8(original[target.offset]);
        for (quint8 value : changesOf(before, target.group)) {
            QByteArray content = original;
            content[target.offset] = char(value);
            Result result;
            const Fate fate = loadInChild(folder, content, result);
            const QString kind = result.error.isEmpty() ? QString() : errorKind(result.error);
            const Outcome o = fate == Fate::Crashed     ? Crash
                              : fate == Fate::Hung      ? Hang
                              : !result.error.isEmpty() ? (kind.isEmpty() ? UnknownError : Message)
                              : result.digest == reference.digest ? Correct
                                                                  : Silent;
            ++counts[target.group][o];
            ++outcome.changes;
            if (o == Message)
                ++messages[target.group][kind];
            if (o == Silent)
                ++silentByField[target.group][target.what];
            const bool fault = o == Crash || o == Hang || o == UnknownError ||
                               (o == Silent && target.group != StoredValues);
            if (!fault)
                continue;
            ++outcome.faults;
            if (!keep.isEmpty()) {
                QDir().mkpath(keep);
                QFile file(keep + u"/%1-%2-%3.mde"_s.arg(name).arg(target.offset).arg(value));
                if (file.open(QIODevice::WriteOnly))
                    file.write(content);
            }
        }
    }

    std::printf("\n%s (%lld KiB; %d table definitions, %d memo fields, %d long-value pages): "
                "%d changes, %.1f s\n",
                qPrintable(name), qlonglong(original.size() / 1024), layout.definitions,
                layout.memoFields, layout.longValuePages, outcome.changes,
                double(timer.elapsed()) / 1000);
    std::printf("  %-28s %8s", "bytes changed", "changes");
    for (const char *o : OutcomeNames)
        std::printf(" %8s", o);
    std::printf("\n");
    for (int g = 0; g < GroupCount; ++g) {
        int total = 0;
        for (int n : counts[g])
            total += n;
        if (total == 0)
            continue;
        std::printf("  %-28s %8d", GroupNames[g], total);
        for (int n : counts[g])
            std::printf(" %8d", n);
        std::printf("\n");
    }
    for (int g = 0; g < GroupCount; ++g) {
        if (!messages[g].empty()) {
            std::printf("  messages, %s:", GroupNames[g]);
            for (const auto &[kind, n] : messages[g])
                std::printf(" %s %d;", qPrintable(kind), n);
            std::printf("\n");
        }
        if (g == StoredValues || silentByField[g].empty())
            continue;
        std::vector<std::pair<int, QString>> fields;
        for (const auto &[field, n] : silentByField[g])
            fields.emplace_back(n, field);
        std::sort(fields.rbegin(), fields.rend());
        std::printf("  silent, %s, by field:", GroupNames[g]);
        for (std::size_t i = 0; i < fields.size() && i < SilentExamples; ++i)
            std::printf("%s %d %s", i ? ";" : "", fields[i].first, qPrintable(fields[i].second));
        std::printf(fields.size() > SilentExamples ? "; ...\n" : "\n");
    }
    return outcome;
}

} // namespace Sweep
