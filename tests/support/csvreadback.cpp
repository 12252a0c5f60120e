#include "csvreadback.h"

#include <QProcess>

using namespace Qt::StringLiterals;

QList<QStringList> readCsvBack(const QString &path)
{
    QProcess python;
    python.start(u"python3"_s, {QStringLiteral(READ_CSV), path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning("readcsv.py: %s", python.readAllStandardError().constData());
        return {};
    }
    QList<QStringList> rows;
    const QString out = QString::fromUtf8(python.readAllStandardOutput());
    for (const QString &line : out.split(QChar(0x1E), Qt::SkipEmptyParts))
        rows.append(line.split(QChar(0x1F)));
    return rows;
}
