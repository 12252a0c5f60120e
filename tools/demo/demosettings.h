#pragma once

#include <QString>

namespace Demo {

// Writes the viewer's settings file for the installation in `folder` (absolute): section
// "Einstellungen" with both folders (ending in "/"), TimerSplash 1500,
// FilterImmerAlsTeilString 0 and the ten reference-document names. Windows-1252 bytes and
// CRLF line ends, as the viewer's own profile file writes them. An existing file is replaced
// as a whole, atomically. Fails when the folder has characters Windows-1252 lacks, since
// the viewer could not read such a path back.
[[nodiscard]] bool writeSettingsFile(const QString &iniPath, const QString &folder, QString *error);

inline constexpr int DemoTimerSplash = 1500;

} // namespace Demo
