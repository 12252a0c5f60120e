#pragma once

#include <QString>

class QCoreApplication;

// Qt's own texts (standard buttons; the print, printer-setup, file and password dialogs) in
// German whatever the user's locale, since the whole interface is German: installs Qt's German
// catalogue into `app`, from `folder` or else from Qt's translation folder (Debian package
// qt6-translations-l10n). A missing catalogue leaves Qt's English texts and is no error;
// returns whether it was found.
bool installGermanQtTranslations(QCoreApplication &app, const QString &folder = {});
