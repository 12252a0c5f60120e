#pragma once

#include "tools/jetwriter/jetformat.h"

#include <QList>
#include <QString>

#include <variant>
#include <vector>

// A small writer of Jet 3 (Access 95/97) and Jet 4 (Access 2000-2003) database files, enough
// for the catalogue's test fixtures and the demo catalogue: tables of TEXT, MEMO, BOOLEAN and
// LONG columns, no indexes, no OLE data. The files read in mdbtools (libmdb); Access itself
// was never tried.
namespace Jet {

enum class ColumnType { Text, Boolean, Long, Memo };

inline constexpr int MaxTextLength = 255;   // Access's limit for a TEXT column, in characters
inline constexpr int MaxMemoLength = 65535; // what Access lets one type into a MEMO value

struct Column
{
    QString name;
    ColumnType type = ColumnType::Text;
    int maxLength = MaxTextLength; // TEXT only: characters, 1 to MaxTextLength
};

// std::monostate is NULL. TEXT and MEMO columns take QString, BOOLEAN takes bool, LONG takes
// qint32. A MEMO value of up to 64 stored bytes stays in the row; a longer one goes to
// long-value pages, in one row when it fits a page and in a chain of rows otherwise.
// Jet keeps a BOOLEAN in the row's null mask, so a NULL BOOLEAN cannot be stored: it is
// rejected as an error rather than silently written as false. Jet 3 stores texts as
// Windows-1252 bytes, so a character without such a byte is an error there too.
using Value = std::variant<std::monostate, QString, bool, qint32>;

struct Table
{
    QString name;
    QList<Column> columns;
    std::vector<std::vector<Value>> rows; // each row holds one value per column, in order
};

// Writes a complete database holding `tables` to `path`, atomically (a temporary file renamed
// into place), replacing any file there. Rows keep their order. On failure returns false,
// leaves `path` untouched and, when `error` is given, sets it to a readable reason (a name
// Access would refuse, a value of the wrong type for its column, a text longer than its
// column, a row too large for a page, an I/O error, ...). Rows in messages count from 1.
[[nodiscard]] bool writeDatabase(const QString &path, const std::vector<Table> &tables,
                                 FileFormat format, QString *error = nullptr);

// The same in Jet 4.
[[nodiscard]] bool writeDatabase(const QString &path, const std::vector<Table> &tables,
                                 QString *error = nullptr);

} // namespace Jet
