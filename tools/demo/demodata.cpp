#include "tools/demo/demodata.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace Demo::Data {

namespace {

[[noreturn]] void failAt(const QString &file, qsizetype line, const QString &problem)
{
    throw Error(u"%1:%2: %3"_s.arg(file).arg(line).arg(problem));
}

// Decoded line by line, so that a bad byte is reported with its line.
QStringList decodeLines(const QString &file, QByteArrayView utf8)
{
    QStringList lines;
    const QList<QByteArray> raw = utf8.toByteArray().split('\n');
    for (qsizetype i = 0; i < raw.size(); ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        QString line = decoder.decode(raw[i]);
        if (decoder.hasError())
            failAt(file, i + 1, u"not valid UTF-8"_s);
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.append(line);
    }
    return lines;
}

// The fields of one line of a table.
QStringList splitFields(const QString &file, qsizetype lineNumber, const QString &line)
{
    QStringList fields;
    qsizetype at = 0;
    while (true) {
        QString field;
        if (at < line.size() && line[at] == u'"') {
            qsizetype i = at + 1;
            while (true) {
                if (i >= line.size())
                    failAt(file, lineNumber, u"a quoted field is not closed"_s);
                if (line[i] == u'"') {
                    if (i + 1 < line.size() && line[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    break;
                }
                field += line[i++];
            }
            at = i + 1;
            if (at < line.size() && line[at] != u';')
                failAt(file, lineNumber, u"text after a closing quote"_s);
        } else {
            const qsizetype end = line.indexOf(u';', at);
            field = line.mid(at, end < 0 ? -1 : end - at);
            if (field.contains(u'"'))
                failAt(file, lineNumber, u"a quote inside an unquoted field"_s);
            at = end < 0 ? line.size() : end;
        }
        fields.append(field);
        if (at >= line.size())
            return fields;
        ++at; // the ";"
    }
}

QByteArray resource(const QString &file)
{
    QFile resource(u":/demo/"_s + file);
    if (!resource.open(QIODevice::ReadOnly))
        throw Error(file + u": not among the generator's data files"_s);
    return resource.readAll();
}

} // namespace

Error::Error(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString fill(const QString &text, const Values &values, const QString &where, bool withLines)
{
    QString result;
    qsizetype at = 0;
    for (qsizetype open; (open = text.indexOf(u"{{"_s, at)) >= 0;) {
        const auto place = [&] {
            return withLines ? u"%1:%2"_s.arg(where).arg(text.left(open).count(u'\n') + 1) : where;
        };
        const qsizetype close = text.indexOf(u"}}"_s, open + 2);
        const QString name = text.mid(open + 2, close - open - 2);
        if (close < 0 || name.contains(u'\n'))
            throw Error(place() + u": \"{{\" without \"}}\""_s);
        const auto value = values.constFind(name);
        if (value == values.cend())
            throw Error(place() + u": unknown placeholder {{"_s + name + u"}}"_s);
        result += QStringView(text).mid(at, open - at) + *value;
        at = close + 2;
    }
    return result + QStringView(text).mid(at);
}

// --- Tables ---

Row::Row(std::shared_ptr<const QStringList> header, QString file, int line, QStringList cells)
    : m_header(std::move(header))
    , m_file(std::move(file))
    , m_line(line)
    , m_cells(std::move(cells))
{
}

QString Row::text(QStringView column) const
{
    const qsizetype index = m_header->indexOf(column);
    if (index < 0)
        fail(u"the table has no column \"%1\""_s.arg(column));
    return m_cells.value(index);
}

int Row::integer(QStringView column) const
{
    const QString cell = text(column);
    bool ok = false;
    const int value = cell.toInt(&ok);
    if (!ok || cell.trimmed() != cell)
        fail(u"%1 \"%2\" is not a whole number"_s.arg(column, cell));
    return value;
}

double Row::number(QStringView column) const
{
    const QString cell = text(column);
    bool ok = false;
    const double value = cell.toDouble(&ok);
    if (!ok || !std::isfinite(value) || cell.trimmed() != cell)
        fail(u"%1 \"%2\" is not a number"_s.arg(column, cell));
    return value;
}

QStringList Row::words(QStringView column) const
{
    return text(column).split(u' ', Qt::SkipEmptyParts);
}

qsizetype Row::choiceIndex(QStringView column, const QList<QStringView> &names) const
{
    const QString cell = text(column);
    const qsizetype index = names.indexOf(cell);
    if (index < 0) {
        QStringList known;
        for (QStringView name : names)
            known.append(name.toString());
        fail(u"unknown %1 \"%2\" (known: %3)"_s.arg(column, cell, known.join(u", "_s)));
    }
    return index;
}

void Row::fail(const QString &problem) const
{
    failAt(m_file, m_line, problem);
}

Table parseTable(const QString &file, QByteArrayView utf8, const QStringList &columns)
{
    QStringList lines = decodeLines(file, utf8);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line
    if (lines.first().isEmpty())
        failAt(file, 1, u"no header line"_s);
    Table table;
    table.file = file;
    table.header = splitFields(file, 1, lines.first());
    if (!columns.isEmpty() && table.header != columns)
        failAt(file, 1,
               u"the columns are \"%1\", expected \"%2\""_s.arg(table.header.join(u';'),
                                                                columns.join(u';')));
    const auto header = std::make_shared<const QStringList>(table.header);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            failAt(file, i + 1, u"empty line"_s);
        QStringList cells = splitFields(file, i + 1, lines[i]);
        if (cells.size() != header->size())
            failAt(file, i + 1, u"%1 fields, expected %2"_s.arg(cells.size()).arg(header->size()));
        table.rows.append(Row(header, file, int(i + 1), std::move(cells)));
    }
    return table;
}

// --- Records ---

Value::Value(QString file, QString path, QJsonValue value)
    : m_file(std::move(file))
    , m_path(std::move(path))
    , m_value(std::move(value))
{
}

QString Value::text() const
{
    if (!m_value.isString())
        fail(u"expected a text"_s);
    return m_value.toString();
}

QString Value::text(const Values &values) const
{
    return fill(text(), values, m_file + u": "_s + m_path);
}

int Value::integer() const
{
    const double value = m_value.toDouble(0.5);
    if (!m_value.isDouble() || value != std::floor(value) ||
        value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        fail(u"expected a whole number"_s);
    return int(value);
}

double Value::number() const
{
    if (!m_value.isDouble())
        fail(u"expected a number"_s);
    return m_value.toDouble();
}

bool Value::truth() const
{
    if (!m_value.isBool())
        fail(u"expected true or false"_s);
    return m_value.toBool();
}

QStringList Value::texts() const
{
    QStringList result;
    for (const Value &item : items())
        result.append(item.text());
    return result;
}

QList<Value> Value::items(qsizetype count) const
{
    if (!m_value.isArray())
        fail(u"expected a list"_s);
    const QJsonArray array = m_value.toArray();
    if (count >= 0 && array.size() != count)
        fail(u"expected %1 items, found %2"_s.arg(count).arg(array.size()));
    QList<Value> result;
    for (qsizetype i = 0; i < array.size(); ++i)
        result.append(Value(m_file, u"%1[%2]"_s.arg(m_path).arg(i), array[i]));
    return result;
}

Record Value::record() const
{
    if (!m_value.isObject())
        fail(u"expected an object"_s);
    return Record(m_file, m_path, m_value.toObject());
}

void Value::fail(const QString &problem) const
{
    throw Error(u"%1: %2: %3"_s.arg(m_file, m_path, problem));
}

Record::Record(QString file, QString path, QJsonObject object)
    : m_file(std::move(file))
    , m_path(std::move(path))
    , m_object(std::make_shared<const QJsonObject>(std::move(object)))
    , m_read(std::make_shared<QSet<QString>>())
{
}

Value Record::value(QStringView key) const
{
    std::optional<Value> found = optional(key);
    if (!found)
        throw Error(u"%1: \"%2\" is missing"_s.arg(where(), key));
    return *found;
}

std::optional<Value> Record::optional(QStringView key) const
{
    const QString name = key.toString();
    m_read->insert(name);
    const auto found = m_object->constFind(name);
    if (found == m_object->constEnd())
        return std::nullopt;
    return Value(m_file, m_path.isEmpty() ? name : m_path + u'.' + name, *found);
}

QStringList Record::keys() const
{
    return m_object->keys();
}

void Record::finish() const
{
    for (const QString &key : m_object->keys()) {
        if (!m_read->contains(key))
            throw Error(u"%1: unknown member \"%2\""_s.arg(where(), key));
    }
}

QString Record::where() const
{
    return m_path.isEmpty() ? m_file : m_file + u": "_s + m_path;
}

Record parseRecord(const QString &file, QByteArrayView utf8)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(utf8.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError) {
        const QByteArrayView before =
            utf8.first(std::clamp<qsizetype>(error.offset, 0, utf8.size()));
        failAt(file, before.count('\n') + 1, error.errorString());
    }
    if (!document.isObject())
        failAt(file, 1, u"expected an object at the top level"_s);
    return Record(file, {}, document.object());
}

// --- Resources ---

Table table(const QString &file, const QStringList &columns)
{
    return parseTable(file, resource(file), columns);
}

Record record(const QString &file)
{
    return parseRecord(file, resource(file));
}

QString text(const QString &file, const Values &values)
{
    return fill(decodeLines(file, resource(file)).join(u'\n'), values, file, true);
}

} // namespace Demo::Data
