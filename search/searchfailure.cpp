#include "search/searchfailure.h"

#include "search/sheetreaders.h"
#include "search/sqlitedb.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <new>

using namespace Qt::StringLiterals;

namespace {

QString sqliteText(const Sqlite::Error &error, const QString &folder)
{
    if (error.isDamage())
        return u"Der Suchindex ist beschädigt"_s;
    switch (error.code()) {
    case SQLITE_FULL:
        return u"Kein Platz für den Suchindex: der Datenträger ist voll"_s;
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return u"Der Ordner des Suchindex ist nicht beschreibbar: "_s + folder;
    case SQLITE_IOERR:
        return u"Lese- oder Schreibfehler beim Suchindex"_s;
    case SQLITE_NOMEM:
        return u"Zu wenig Arbeitsspeicher für den Suchindex"_s;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return u"Der Suchindex ist von einem anderen Programm gesperrt"_s;
    default:
        return u"Unerwarteter Fehler im Suchindex"_s;
    }
}

} // namespace

SearchFailure searchFailure(std::exception_ptr error, const QString &indexPath)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(indexPath).absolutePath());
    const QString file = u"\nDatei: "_s + QDir::toNativeSeparators(indexPath);
    try {
        std::rethrow_exception(error);
    } catch (const Sqlite::Error &e) {
        return {sqliteText(e, folder),
                u"SQLite-Fehler %1: %2"_s.arg(e.extendedCode()).arg(QString::fromUtf8(e.what())) +
                    file};
    } catch (const CacheFolderError &e) {
        return {u"Der Ordner des Suchindex kann nicht angelegt werden: "_s + folder,
                QString::fromUtf8(e.what()) + file};
    } catch (const ReaderStartError &e) {
        return {u"Die Kennblätter können nicht gelesen werden: das Leseprogramm startet nicht"_s,
                QString::fromUtf8(e.what())};
    } catch (const std::bad_alloc &) {
        return {u"Zu wenig Arbeitsspeicher für die Volltextsuche"_s, u"std::bad_alloc"_s};
    } catch (const std::exception &e) {
        return {u"Unerwarteter Fehler bei der Volltextsuche"_s, QString::fromUtf8(e.what())};
    } catch (...) {
        return {u"Unerwarteter Fehler bei der Volltextsuche"_s, u"unbekannte Ausnahme"_s};
    }
}
