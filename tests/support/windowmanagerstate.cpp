#include "windowmanagerstate.h"

#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

QList<quint64> rootWindowIds(const char *property)
{
    QProcess xprop;
    xprop.start(u"xprop"_s, {u"-root"_s, QString::fromLatin1(property)});
    xprop.waitForFinished(5000);
    QList<quint64> ids;
    const QString text = QString::fromLatin1(xprop.readAllStandardOutput());
    for (const QRegularExpressionMatch &m : QRegularExpression(u"0x[0-9a-f]+"_s).globalMatch(text))
        ids.append(m.captured().toULongLong(nullptr, 16));
    return ids;
}
