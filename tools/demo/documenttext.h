#pragma once

#include "tools/demo/demodata.h"
#include "tools/demo/pagedtable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Demo {

struct Catalogue;

// The texts of a reference document in documents.json, placeholders filled: title and
// subtitle, the table's columns with the field each shows, and the paragraphs before, after
// or instead of the rows.
struct DocumentText
{
    QString title;
    QString subtitle;
    QList<PagedTable::Column> columns;
    QStringList fields;
    QString intro;
    QString outro;
    QString empty;

    // A table with the title, subtitle and columns, and the intro paragraph when there is one.
    PagedTable table() const;
    // One row: for each column the value of its field.
    QStringList cells(const std::function<QString(const QString &field)> &value) const;
};

// The placeholders every document may use: {{ausgabe}}, {{stand}}, {{anzahl}} (data sheets)
// and {{geaendert}} (changed ones); and the shared texts of documents.json, filled with them.
Data::Values documentValues(const Catalogue &catalogue);

// The document `name`; a column naming a field outside `fields` is an error.
[[nodiscard]] DocumentText documentText(const QString &name, const Data::Values &values,
                                        const QStringList &fields);

// The document's record for writers with their own layout (the cover sheet).
[[nodiscard]] Data::Record documentRecord(const QString &name);

// German grouping of thousands: "2.500".
QString longNumber(int n);

} // namespace Demo
