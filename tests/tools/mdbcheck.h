#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads written databases back with mdbtools, an independent reader, for the writer's tests.
// Functions return false with a reason instead of failing the test themselves, so callers
// can QVERIFY2 with that reason.
namespace MdbCheck {

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs an mdbtools program (or any other) to its end; `keepOutput` false discards stdout.
ToolRun runTool(const QString &program, const QStringList &arguments, bool keepOutput = true);

// The rows of `table` as mdb-export prints them: NULL and "" both as "", booleans as 1/0.
// Fails when mdb-export fails or writes anything to stderr.
[[nodiscard]] bool exportRows(const QString &file, const QString &table, QList<QStringList> &rows,
                              QString *problem);

struct LibmdbRow
{
    QStringList values; // UTF-8 texts as libmdb binds them
    QList<bool> isNull; // from libmdb's own row parser, which binding hides
    quint32 page = 0;   // the data page the row came from
};

// Reads `table` through libmdb the way the viewer does: looks the table up by name, binds
// `columns` by name (in reverse order, to show that order does not matter), fetches every row.
[[nodiscard]] bool readWithLibmdb(const QString &file, const QString &table,
                                  const QStringList &columns, QList<LibmdbRow> &rows,
                                  QString *problem);

// Pages of the file (Jet 3 or Jet 4) by their type byte; the most rows any data page holds.
struct PageCensus
{
    int dataPages = 0;
    int longValuePages = 0; // data pages whose owner reads "LVAL", among dataPages
    int tableDefinitionPages = 0;
    int bitmapPages = 0;
    int maxRowsOnPage = 0;
};
PageCensus pageCensus(const QString &file);

} // namespace MdbCheck
