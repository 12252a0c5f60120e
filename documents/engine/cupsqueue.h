#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The few calls of libcups the engine needs: printers here are CUPS queues, and a PDF handed
// to a queue as it is keeps its vector quality (CUPS's own filters apply page ranges).
namespace CupsQueue {

using Options = QList<std::pair<QByteArray, QByteArray>>;

// True when the CUPS server in use has a queue of that name.
bool exists(const QString &name);
// Hands the file to the queue. Empty on success, otherwise the server's reason.
QString printFile(const QString &queue, const QString &path, const QString &title,
                  const Options &options);

} // namespace CupsQueue
