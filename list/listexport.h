#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class CurrentList;

// The list for other programs, as the main window shows it: the given rows in list order, the
// columns with their captions in a first line.
namespace ListExport {

// Every row of the list, in its order.
QList<int> allRows(const CurrentList &list);

// For the clipboard: fields separated by tabs, lines by "\n", as spreadsheets paste them into
// cells. Tabs and line breaks inside a text become blanks.
QString tabSeparated(const CurrentList &list, const QList<int> &rows);

// A CSV file that spreadsheet programs open with umlauts intact: UTF-8 with a byte-order mark,
// ";" between fields, lines ended by CR LF, a field quoted (and its quotes doubled) when it
// holds ";", a quote or a line break (RFC 4180).
QByteArray csv(const CurrentList &list, const QList<int> &rows);

// Writes csv() to `path` whole or not at all (an existing file stays as it was when writing
// fails). Answers an empty text on success, else a German message naming the file.
QString writeCsv(const QString &path, const CurrentList &list, const QList<int> &rows);

} // namespace ListExport
