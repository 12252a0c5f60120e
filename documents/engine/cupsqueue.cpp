#include "documents/engine/cupsqueue.h"

#include <QFile>

#include <cups/cups.h>

namespace CupsQueue {

bool exists(const QString &name)
{
    if (name.isEmpty())
        return false;
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    const bool found = cupsGetDest(name.toUtf8().constData(), nullptr, count, dests) != nullptr;
    cupsFreeDests(count, dests);
    return found;
}

QString printFile(const QString &queue, const QString &path, const QString &title,
                  const Options &options)
{
    cups_option_t *cupsOptions = nullptr;
    int count = 0;
    for (const auto &[name, value] : options)
        count = cupsAddOption(name.constData(), value.constData(), count, &cupsOptions);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(),
                                   QFile::encodeName(path).constData(), title.toUtf8().constData(),
                                   count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job > 0)
        return {};
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace CupsQueue
