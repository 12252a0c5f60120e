#pragma once

#include "tools/jetwriter/jetwriter.h"

#include <QByteArrayView>

namespace Jet {

// Reads a table from CSV: UTF-8 (an initial byte-order mark is skipped), fields separated by
// commas, records ending in LF or CRLF, quoting as in RFC 4180. The first record names the
// columns as "name:TYPE" with TYPE one of TEXT, TEXT(n), BOOLEAN, LONG (any letter case;
// TEXT alone is TEXT(255)). In data records an empty unquoted field is NULL and "" is the
// empty text; BOOLEAN takes 1, 0, true or false, LONG a decimal number. Sets the columns and
// rows of `table`, not its name. Errors name the line; whether values suit their columns
// (text lengths, NULL booleans) is left to writeDatabase.
[[nodiscard]] bool readCsvTable(QByteArrayView utf8, Table &table, QString *error);

// The same for a file; errors start with the file's path.
[[nodiscard]] bool readCsvFile(const QString &path, Table &table, QString *error);

} // namespace Jet
