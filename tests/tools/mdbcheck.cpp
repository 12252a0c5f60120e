#include "mdbcheck.h"

#include <QFile>
#include <QProcess>
#include <QStringDecoder>

// glib before mdbtools.h: the latter's extern "C" block breaks glib's C++ templates.
#include <glib.h>
#include <mdbtools.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace MdbCheck {

ToolRun runTool(const QString &program, const QStringList &arguments, bool keepOutput)
{
    QProcess process;
    if (!keepOutput)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = "did not run or did not finish: " + process.errorString().toUtf8();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

namespace {

// QString::fromUtf8 drops a leading U+FEFF, which would hide a value that starts with one.
QString fromUtf8KeepingBom(QByteArrayView utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(utf8);
}

// Undoes mdb-export's -e escapes: \t, \n, \r and \\.
QString unescape(QStringView field)
{
    QString text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\' || i + 1 == field.size()) {
            text.append(field[i]);
            continue;
        }
        const QChar next = field[++i];
        text.append(next == u't' ? u'\t' : next == u'n' ? u'\n' : next == u'r' ? u'\r' : next);
    }
    return text;
}

} // namespace

bool exportRows(const QString &file, const QString &table, QList<QStringList> &rows,
                QString *problem)
{
    // Unquoted, tab-separated, with tabs, line breaks and backslashes inside values escaped:
    // every line is one row and every tab separates two fields.
    const ToolRun run =
        runTool(u"mdb-export"_s, {u"-H"_s, u"-Q"_s, u"-e"_s, u"-d"_s, u"\t"_s, file, table});
    if (run.exitCode != 0 || !run.err.isEmpty()) {
        *problem = u"mdb-export %1 failed (%2): %3"_s.arg(table)
                       .arg(run.exitCode)
                       .arg(QString::fromUtf8(run.err));
        return false;
    }
    rows.clear();
    const QString out = fromUtf8KeepingBom(run.out);
    const QStringList lines = out.split(u'\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) { // the last line break ends the output
        QStringList fields;
        for (QStringView field : QStringView(lines[i]).split(u'\t'))
            fields.append(unescape(field));
        rows.append(fields);
    }
    if (!lines.last().isEmpty()) {
        *problem = u"mdb-export output does not end with a line break"_s;
        return false;
    }
    return true;
}

bool readWithLibmdb(const QString &file, const QString &table, const QStringList &columns,
                    QList<LibmdbRow> &rows, QString *problem)
{
    const auto closeMdb = [](MdbHandle *h) {
        mdb_close(h);
    };
    std::unique_ptr<MdbHandle, decltype(closeMdb)> mdb(
        mdb_open(file.toLocal8Bit().constData(), MDB_NOFLAGS), closeMdb);
    if (!mdb) {
        *problem = u"libmdb cannot open "_s + file;
        return false;
    }
    QByteArray tableName = table.toUtf8();
    const auto freeTable = [](MdbTableDef *t) {
        mdb_free_tabledef(t);
    };
    std::unique_ptr<MdbTableDef, decltype(freeTable)> def(
        mdb_read_table_by_name(mdb.get(), tableName.data(), MDB_TABLE), freeTable);
    if (!def || !mdb_read_columns(def.get())) {
        *problem = u"libmdb finds no table "_s + table;
        return false;
    }
    mdb_rewind_table(def.get());

    // Bound buffers and each column's position among the table's columns.
    const auto count = std::size_t(columns.size());
    std::vector<std::vector<char>> buffers(count, std::vector<char>(MDB_BIND_SIZE));
    std::vector<int> lengths(count);
    std::vector<int> positions(count);
    for (std::size_t i = count; i-- > 0;) {
        QByteArray name = columns[qsizetype(i)].toUtf8();
        const int number =
            mdb_bind_column_by_name(def.get(), name.data(), buffers[i].data(), &lengths[i]);
        if (number < 1) {
            *problem = u"libmdb cannot bind column "_s + columns[qsizetype(i)];
            return false;
        }
        positions[i] = number - 1;
    }

    rows.clear();
    std::vector<MdbField> fields(def->num_cols);
    while (mdb_fetch_row(def.get())) {
        LibmdbRow row;
        row.page = def->cur_phys_pg;
        int start = 0;
        size_t size = 0;
        // The row just fetched is still in libmdb's page buffer.
        if (mdb_find_row(mdb.get(), int(def->cur_row) - 1, &start, &size) != 0 ||
            mdb_crack_row(def.get(), start & 0x1FFF, size, fields.data()) < 0) {
            *problem = u"libmdb cannot parse row %1 again"_s.arg(rows.size());
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            row.values.append(fromUtf8KeepingBom(QByteArrayView(buffers[i].data(), lengths[i])));
            row.isNull.append(fields[std::size_t(positions[i])].is_null != 0);
        }
        rows.append(row);
    }
    return true;
}

PageCensus pageCensus(const QString &file)
{
    PageCensus census;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return census;
    const QByteArray bytes = f.readAll();
    // Jet 3 (version byte 0): 2 KiB pages, the row count at 8; Jet 4: 4 KiB, at 12.
    const bool jet3 = bytes.size() > 0x14 && bytes[0x14] == 0;
    const qsizetype pageSize = jet3 ? 2048 : 4096;
    const qsizetype rowCount = jet3 ? 8 : 12;
    for (qsizetype at = pageSize; at + pageSize <= bytes.size(); at += pageSize) {
        switch (bytes[at]) {
        case 0x01: {
            ++census.dataPages;
            if (bytes.sliced(at + 4, 4) == "LVAL")
                ++census.longValuePages;
            const int rows = quint8(bytes[at + rowCount]) | quint8(bytes[at + rowCount + 1]) << 8;
            census.maxRowsOnPage = std::max(census.maxRowsOnPage, rows);
            break;
        }
        case 0x02:
            ++census.tableDefinitionPages;
            break;
        case 0x05:
            ++census.bitmapPages;
            break;
        default:
            break;
        }
    }
    return census;
}

} // namespace MdbCheck
