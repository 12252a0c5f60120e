#pragma once

#include "settings/settingskeys.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The program-wide values read from the settings file at start-up. The main window owns one
// and hands it on by reference. Folders are Windows-1252 bytes, used as read.
struct ProgramSettings
{
    QByteArray PfadZuMDEDatei;
    QByteArray PfadZuPDFDateien;
    // 1 matches every filter text as a part anywhere in the value.
    qint32 FilterImmerAlsTeilString = SettingsKeys::FilterImmerAlsTeilStringDefault;

    bool operator==(const ProgramSettings &) const = default;
};

// A folder with a trailing "/", as Windows-1252 bytes (a character without a form there
// becomes "?").
QByteArray folderWithSeparator(QStringView folder);

// The default of both folders: the executable's folder with a trailing "/".
QByteArray defaultFolder();

// Folder and file name joined with "/" into a file-system path. The folder is taken as it
// is, so one ending in "/" gives a doubled separator, which the file system ignores.
QString joinPath(QByteArrayView folder, QByteArrayView fileName);
