#include "documents/engine/core/documentcopy.h"

#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 ChunkBytes = 1024 * 1024;

QString unreadable(const QString &source)
{
    return u"Das Dokument „%1“ kann nicht gelesen werden."_s.arg(QDir::toNativeSeparators(source));
}

// Qt names no reason for a failed write (neither "disk full" nor "no permission"); the folder
// tells it. Asked while the unfinished copy still takes its room.
QString unwritten(const QString &target, qint64 bytes)
{
    const QString folder = QFileInfo(target).absolutePath();
    QString text =
        u"Die Kopie „%1“ konnte nicht geschrieben werden."_s.arg(QDir::toNativeSeparators(target));
    if (!QFileInfo(folder).isWritable())
        text += u" In diesen Ordner darf nicht geschrieben werden."_s;
    else if (QStorageInfo(folder).bytesAvailable() < bytes)
        text += u" Auf dem Datenträger ist nicht genug Platz."_s;
    if (QFile::exists(target))
        text += u" Die vorhandene Datei ist unverändert."_s;
    return text;
}

} // namespace

QString writeDocumentCopy(const QString &source, const QString &target)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        return unreadable(source);
    // Without the fallback, a folder that takes no new file fails here instead of having the
    // old file overwritten in place.
    QSaveFile output(target);
    output.setDirectWriteFallback(false);
    if (!output.open(QIODevice::WriteOnly))
        return unwritten(target, input.size());
    bool written = true;
    while (written && !input.atEnd()) {
        const QByteArray chunk = input.read(ChunkBytes);
        if (input.error() != QFileDevice::NoError)
            return unreadable(source); // the temporary file goes with `output`
        written = output.write(chunk) == chunk.size();
    }
    if (!written || !commitSaveFile(output))
        return unwritten(target, input.size());
    return {};
}
