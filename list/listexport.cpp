#include "list/listexport.h"

#include "list/columncaptions.h"
#include "list/currentlist.h"
#include "platform/cp1252.h"
#include "platform/savefile.h"

#include <QDir>
#include <QSaveFile>

#include <numeric>

using namespace Qt::StringLiterals;

namespace ListExport {

namespace {

// The columns that carry data: all but the empty last one.
constexpr int ExportedColumns = ListColumnCount - 1;

// The table as lines of fields, the captions first.
template<typename Line>
void forEachLine(const CurrentList &list, const QList<int> &rows, Line line)
{
    QStringList fields;
    for (QStringView caption : ListColumnCaptions)
        fields.append(caption.toString());
    line(fields);
    for (int row : rows) {
        fields.clear();
        for (int column = 0; column < ExportedColumns; ++column)
            fields.append(Cp1252::toUnicode(rowText(list.kennblatt(row), column)));
        line(fields);
    }
}

QString csvField(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', u"\"\""_s);
    return u'"' + quoted + u'"';
}

QString reason(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::PermissionsError:
        return u"Sie dürfen dort nicht schreiben."_s;
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return u"Beim Schreiben ist ein Fehler aufgetreten; vielleicht ist der Datenträger voll."_s;
    default:
        return u"Der Ordner fehlt, ist schreibgeschützt, oder der Name ist ein Ordner."_s;
    }
}

} // namespace

QList<int> allRows(const CurrentList &list)
{
    QList<int> rows(list.rowCount());
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

QString tabSeparated(const CurrentList &list, const QList<int> &rows)
{
    QString text;
    forEachLine(list, rows, [&text](QStringList &fields) {
        for (QString &field : fields) {
            for (QChar &c : field) {
                if (c == u'\t' || c == u'\n' || c == u'\r')
                    c = u' ';
            }
        }
        text += fields.join(u'\t') + u'\n';
    });
    return text;
}

QByteArray csv(const CurrentList &list, const QList<int> &rows)
{
    QString text;
    forEachLine(list, rows, [&text](QStringList &fields) {
        for (QString &field : fields)
            field = csvField(field);
        text += fields.join(u';') + u"\r\n"_s;
    });
    return "\xEF\xBB\xBF" + text.toUtf8();
}

QString writeCsv(const QString &path, const CurrentList &list, const QList<int> &rows)
{
    QSaveFile file(path);
    const QByteArray content = csv(list, rows);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
        commitSaveFile(file))
        return {};
    return u"Die Liste konnte nicht in die Datei „%1“ geschrieben werden. %2"_s.arg(
        QDir::toNativeSeparators(path), reason(file.error()));
}

} // namespace ListExport
