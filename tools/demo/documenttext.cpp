#include "tools/demo/documenttext.h"

#include "tools/demo/democatalogue.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Demo {

namespace {

const QString FileName = u"documents.json"_s;

QString filled(const Data::Record &record, QStringView key, const Data::Values &values)
{
    const std::optional<Data::Value> value = record.optional(key);
    return value ? value->text(values) : QString();
}

} // namespace

QString longNumber(int n)
{
    return QLocale(QLocale::German, QLocale::Germany).toString(n);
}

Data::Values documentValues(const Catalogue &catalogue)
{
    const auto changed = std::count_if(catalogue.sheets.begin(), catalogue.sheets.end(),
                                       [](const DataSheet &s) { return s.changed; });
    Data::Values values = {{u"ausgabe"_s, catalogue.edition.label},
                           {u"stand"_s, catalogue.edition.text()},
                           {u"anzahl"_s, longNumber(int(catalogue.sheets.size()))},
                           {u"geaendert"_s, longNumber(int(changed))}};
    const Data::Record texts = Data::record(FileName).value(u"texts").record();
    for (const QString &key : texts.keys()) {
        values.insert(key, texts.value(key).text(values));
    }
    return values;
}

Data::Record documentRecord(const QString &name)
{
    return Data::record(FileName).value(name).record();
}

DocumentText documentText(const QString &name, const Data::Values &values,
                          const QStringList &fields)
{
    const Data::Record record = documentRecord(name);
    DocumentText text;
    text.title = filled(record, u"title", values);
    text.subtitle = filled(record, u"subtitle", values);
    for (const Data::Value &item : record.value(u"columns").items()) {
        const Data::Record column = item.record();
        const Data::Value field = column.value(u"field");
        if (!fields.contains(field.text()))
            field.fail(
                u"unknown field \"%1\" (known: %2)"_s.arg(field.text(), fields.join(u", "_s)));
        const std::optional<Data::Value> centred = column.optional(u"centred");
        text.columns.append({column.value(u"title").text(), column.value(u"width").number(),
                             centred && centred->truth()});
        text.fields.append(field.text());
        column.finish();
    }
    text.intro = filled(record, u"intro", values);
    text.outro = filled(record, u"outro", values);
    text.empty = filled(record, u"empty", values);
    record.finish();
    return text;
}

PagedTable DocumentText::table() const
{
    PagedTable table(title, subtitle, columns);
    if (!intro.isEmpty())
        table.addParagraph(intro);
    return table;
}

QStringList DocumentText::cells(const std::function<QString(const QString &field)> &value) const
{
    QStringList result;
    for (const QString &field : fields)
        result.append(value(field));
    return result;
}

} // namespace Demo
