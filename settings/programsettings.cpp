#include "settings/programsettings.h"

#include "platform/cp1252.h"

#include <QCoreApplication>

QByteArray folderWithSeparator(QStringView folder)
{
    QByteArray bytes = Cp1252::fromUnicode(folder);
    if (!bytes.endsWith('/'))
        bytes += '/';
    return bytes;
}

QByteArray defaultFolder()
{
    return folderWithSeparator(QCoreApplication::applicationDirPath());
}

QString joinPath(QByteArrayView folder, QByteArrayView fileName)
{
    return Cp1252::toUnicode(folder) + u'/' + Cp1252::toUnicode(fileName);
}
