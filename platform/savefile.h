#pragma once

#include <QSaveFile>

// Ends a QSaveFile: the temporary file replaces the target only when every byte reached it.
// Qt 6.4's commit() writes the last buffered bytes itself and, when that fails (a full disk),
// still renames the short file over the target and reports success. So they are written
// first; after a failure the QSaveFile discards the temporary file when it is destroyed, and
// error() tells what went wrong.
[[nodiscard]] inline bool commitSaveFile(QSaveFile &file)
{
    return file.flush() && file.commit();
}
