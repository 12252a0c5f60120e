#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rows of a CSV file as a spreadsheet program reads them: Python's csv module with ";"
// between fields, UTF-8 after a byte-order mark (without the mark: no rows, and a warning).
QList<QStringList> readCsvBack(const QString &path);
