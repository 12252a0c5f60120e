#include "tools/demo/demosettings.h"

#include "platform/apperror.h"
#include "platform/cp1252.h"
#include "settings/profilefile.h"
#include "settings/settingskeys.h"
#include "tools/demo/demoreferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace Demo {

bool writeSettingsFile(const QString &iniPath, const QString &folder, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!path.endsWith(u'/'))
        path += u'/';
    const QByteArray folderBytes = Cp1252::fromUnicode(path);
    if (Cp1252::toUnicode(folderBytes) != path)
        return fail(u"the folder %1 has characters that Windows-1252 cannot hold"_s.arg(path));

    const QFileInfo target(iniPath);
    if (!QDir().mkpath(target.absolutePath()))
        return fail(u"cannot create the folder of %1"_s.arg(iniPath));
    const QString temporary = target.absoluteFilePath() + u".kb-demo-tmp"_s;
    QFile::remove(temporary);
    {
        // A comment first, with the line end the profile file then keeps for its own lines.
        QFile file(temporary);
        if (!file.open(QIODevice::WriteOnly))
            return fail(u"cannot write %1"_s.arg(temporary));
        file.write("; Einstellungen der Demo-Installation, geschrieben von kb-demo\r\n");
    }
    try {
        using namespace SettingsKeys;
        ProfileFile profile(temporary);
        profile.writeString(Einstellungen, PfadZuMDEDatei, folderBytes);
        profile.writeString(Einstellungen, PfadZuPDFDateien, folderBytes);
        profile.writeInteger(Einstellungen, TimerSplash, DemoTimerSplash);
        profile.writeInteger(Einstellungen, FilterImmerAlsTeilString, 0);
        for (const ReferenceFile &file : referenceFiles())
            profile.writeString(Einstellungen, file.settingsKey,
                                Cp1252::fromUnicode(file.fileName));
    } catch (const AppError &e) {
        QFile::remove(temporary);
        return fail(e.text());
    }
    // rename(2) replaces the old file in one step.
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(temporary);
        return fail(u"cannot replace %1"_s.arg(iniPath));
    }
    return true;
}

} // namespace Demo
