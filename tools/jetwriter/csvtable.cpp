#include "tools/jetwriter/csvtable.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <limits>

using namespace Qt::StringLiterals;

namespace Jet {

namespace {

struct Field
{
    QString text;
    bool quoted = false; // tells "" (empty text) from an empty field (NULL)
};

class CsvRecords
{
public:
    explicit CsvRecords(QStringView text)
        : m_text(text)
    {
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }

    // Reads the next record into `fields`. The line break after the last record does not
    // start another one.
    bool next(std::vector<Field> &fields, QString *error)
    {
        fields.clear();
        while (true) {
            Field field;
            if (!readField(field, error))
                return false;
            fields.push_back(std::move(field));
            if (atEnd())
                return true;
            const QChar c = m_text[m_pos++];
            if (c == u',')
                continue;
            if (c == u'\r')
                ++m_pos; // readField stops at a CR only when an LF follows
            ++m_line;
            return true;
        }
    }

private:
    bool endsField(qsizetype pos) const
    {
        if (pos >= m_text.size())
            return true;
        const QChar c = m_text[pos];
        return c == u',' || c == u'\n' ||
               (c == u'\r' && pos + 1 < m_text.size() && m_text[pos + 1] == u'\n');
    }

    bool readField(Field &field, QString *error)
    {
        if (atEnd() || m_text[m_pos] != u'"') {
            const qsizetype start = m_pos;
            while (!endsField(m_pos)) {
                if (m_text[m_pos] == u'"') {
                    *error = u"line %1: a quote inside an unquoted field"_s.arg(m_line);
                    return false;
                }
                ++m_pos;
            }
            field.text = m_text.sliced(start, m_pos - start).toString();
            return true;
        }
        const int startLine = m_line;
        field.quoted = true;
        ++m_pos;
        while (true) {
            if (atEnd()) {
                *error = u"line %1: a quoted field is not closed"_s.arg(startLine);
                return false;
            }
            const QChar c = m_text[m_pos++];
            if (c == u'"') {
                if (atEnd() || m_text[m_pos] != u'"')
                    break;
                ++m_pos; // "" inside quotes is one quote
            } else if (c == u'\n') {
                ++m_line;
            }
            field.text.append(c);
        }
        if (!endsField(m_pos)) {
            *error = u"line %1: text after the closing quote of a field"_s.arg(m_line);
            return false;
        }
        return true;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

bool parseHeaderField(const Field &field, Column &column, QString *error)
{
    static const QRegularExpression type(
        u"^(?:(TEXT)(?:\\(([0-9]{1,9})\\))?|(BOOLEAN)|(LONG)|(MEMO))$"_s,
        QRegularExpression::CaseInsensitiveOption);
    const qsizetype colon = field.text.lastIndexOf(u':');
    if (colon < 0) {
        *error = u"line 1: column \"%1\" has no type; write name:TYPE"_s.arg(field.text);
        return false;
    }
    column.name = field.text.left(colon);
    const QRegularExpressionMatch m = type.match(QStringView(field.text).sliced(colon + 1));
    if (!m.hasMatch()) {
        *error = u"line 1: column \"%1\": unknown type \"%2\"; use TEXT, TEXT(n), MEMO, BOOLEAN "
                 u"or LONG"_s.arg(column.name, field.text.mid(colon + 1));
        return false;
    }
    if (m.hasCaptured(1)) {
        column.type = ColumnType::Text;
        column.maxLength = m.hasCaptured(2) ? m.captured(2).toInt() : MaxTextLength;
    } else {
        column.type = m.hasCaptured(3)   ? ColumnType::Boolean
                      : m.hasCaptured(4) ? ColumnType::Long
                                         : ColumnType::Memo;
    }
    return true;
}

bool parseValue(const Field &field, const Column &column, Value &value, QString *why)
{
    if (field.text.isEmpty() && !field.quoted) {
        value = std::monostate{};
        return true;
    }
    switch (column.type) {
    case ColumnType::Text:
    case ColumnType::Memo:
        value = field.text;
        return true;
    case ColumnType::Boolean:
        if (field.text == u"1"_s || field.text.compare(u"true"_s, Qt::CaseInsensitive) == 0) {
            value = true;
            return true;
        }
        if (field.text == u"0"_s || field.text.compare(u"false"_s, Qt::CaseInsensitive) == 0) {
            value = false;
            return true;
        }
        *why = u"\"%1\" is not a BOOLEAN (1, 0, true, false)"_s.arg(field.text);
        return false;
    case ColumnType::Long: {
        static const QRegularExpression decimal(u"^[+-]?[0-9]{1,18}$"_s);
        const qint64 number = field.text.toLongLong();
        if (!decimal.match(field.text).hasMatch() || number < std::numeric_limits<qint32>::min() ||
            number > std::numeric_limits<qint32>::max()) {
            *why = u"\"%1\" is not a LONG (a whole number from -2147483648 to 2147483647)"_s.arg(
                field.text);
            return false;
        }
        value = qint32(number);
        return true;
    }
    }
    return false;
}

} // namespace

bool readCsvTable(QByteArrayView utf8, Table &table, QString *error)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(utf8);
    if (decoder.hasError()) {
        *error = u"the file is not valid UTF-8"_s;
        return false;
    }
    CsvRecords records(text);
    if (records.atEnd()) {
        *error = u"the file is empty; its first line must name the columns"_s;
        return false;
    }
    std::vector<Field> fields;
    if (!records.next(fields, error))
        return false;
    table.columns.clear();
    for (const Field &field : fields) {
        Column column;
        if (!parseHeaderField(field, column, error))
            return false;
        table.columns.append(column);
    }

    table.rows.clear();
    while (!records.atEnd()) {
        const int line = records.line();
        if (!records.next(fields, error))
            return false;
        if (fields.size() != std::size_t(table.columns.size())) {
            *error = u"line %1: %2 fields; the header names %3 columns"_s.arg(line)
                         .arg(fields.size())
                         .arg(table.columns.size());
            return false;
        }
        std::vector<Value> row(fields.size());
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const Column &column = table.columns[qsizetype(i)];
            QString why;
            if (!parseValue(fields[i], column, row[i], &why)) {
                *error = u"line %1, column \"%2\": %3"_s.arg(line).arg(column.name, why);
                return false;
            }
        }
        table.rows.push_back(std::move(row));
    }
    return true;
}

bool readCsvFile(const QString &path, Table &table, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = u"cannot read %1: %2"_s.arg(path, file.errorString());
        return false;
    }
    QString why;
    if (!readCsvTable(file.readAll(), table, &why)) {
        *error = path % u": "_s % why;
        return false;
    }
    return true;
}

} // namespace Jet
