#pragma once

#include <QByteArray>
#include <QString>

// Writing a file over itself, for a file that may be written in a folder that allows no new
// file to be renamed over it. The new bytes go over the old ones and the file is shortened
// only afterwards, so that it is never empty nor shorter than both its old and its new content.
// Before that, a journal in the user's state folder records both contents; a write cut short
// (the process killed halfway) is completed from it when the file is next read, so the file
// then holds the new content. Without a state folder the write still never shortens the file,
// but a write cut short stays as it was left.
namespace InPlaceWrite {

// Writes `content` over the existing file `path`. False when the file cannot be opened or
// written; a write that failed halfway is undone.
[[nodiscard]] bool write(const QString &path, const QByteArray &content);

// Completes the write of `path` that a journal records as begun, if the file still holds what
// that write left; a journal the file no longer fits (written since by someone else) is
// dropped. True when the file was completed.
bool complete(const QString &path);

// Where the journal of `path` lies: a name made from the file's real path, in `stateFolder`.
QString journalPath(const QString &path, const QString &stateFolder);

} // namespace InPlaceWrite
