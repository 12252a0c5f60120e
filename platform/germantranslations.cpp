#include "platform/germantranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool installGermanQtTranslations(QCoreApplication &app, const QString &folder)
{
    // qtbase holds the texts of Core, Gui, Widgets and Print Support.
    auto *translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::German), u"qtbase"_s, u"_"_s,
                          folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                                           : folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
