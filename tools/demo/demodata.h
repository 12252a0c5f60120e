#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

// The generator's data files, compiled in as Qt resources below ":/demo/": tables as CSV,
// records as JSON, the user guide's chapters as HTML with {{name}} placeholders. Every file
// goes through the strict readers here: a file that does not say exactly what the code
// expects stops the generator with an error naming the file and the line (JSON: the path
// of the value), so a slip in the data never turns silently into a wrong demo.
namespace Demo::Data {

class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message);
    QString text() const { return QString::fromUtf8(what()); }
};

// Values for {{name}} placeholders.
using Values = QHash<QString, QString>;

// `text` with every {{name}} replaced from `values`. An unknown name or an unclosed "{{"
// fails naming `where`, and with `withLines` also the line of the placeholder.
[[nodiscard]] QString fill(const QString &text, const Values &values, const QString &where,
                           bool withLines = false);

// One row of a table. Its readers check the cell and name the file and line when it is bad.
class Row
{
public:
    Row(std::shared_ptr<const QStringList> header, QString file, int line, QStringList cells);

    QString text(QStringView column) const;
    int integer(QStringView column) const;
    double number(QStringView column) const;
    QStringList words(QStringView column) const; // separated by spaces; none when empty
    const QStringList &cells() const { return m_cells; }

    // The enumerator whose name is in the cell: choice<Process>(u"process", {{u"Tig", Tig}}).
    template<typename Enum, std::size_t N>
    Enum choice(QStringView column, const std::pair<QStringView, Enum> (&names)[N]) const
    {
        QList<QStringView> known;
        for (const auto &name : names)
            known.append(name.first);
        return names[choiceIndex(column, known)].second;
    }

    [[noreturn]] void fail(const QString &problem) const;

private:
    qsizetype choiceIndex(QStringView column, const QList<QStringView> &names) const;

    std::shared_ptr<const QStringList> m_header;
    QString m_file;
    int m_line;
    QStringList m_cells;
};

struct Table
{
    QString file;
    QStringList header;
    QList<Row> rows;
};

// A table: the first line names the columns, each further line is a row with as many fields,
// separated by ";" as German spreadsheets write them. A field in double quotes may hold ";"
// and doubled quotes. Nothing is trimmed; empty lines and line breaks inside a field are
// errors. With `columns`, the header must name exactly these; without, it is free text (a
// table header to print) and only fixes the number of fields.
[[nodiscard]] Table parseTable(const QString &file, QByteArrayView utf8,
                               const QStringList &columns = {});

class Record;

// A JSON value at a path ("grades.json: groups.electrodeBasic[2].yield"); its readers check
// the type and name the path when it is wrong.
class Value
{
public:
    Value(QString file, QString path, QJsonValue value);

    QString text() const;
    QString text(const Values &values) const; // with its placeholders filled
    int integer() const;
    double number() const;
    bool truth() const;
    QStringList texts() const;
    // An array; with `count`, of exactly that many items.
    QList<Value> items(qsizetype count = -1) const;
    Record record() const;

    [[noreturn]] void fail(const QString &problem) const;

private:
    QString m_file;
    QString m_path;
    QJsonValue m_value;
};

// A JSON object. finish() fails on a member that nobody read: a misspelt name.
class Record
{
public:
    Record(QString file, QString path, QJsonObject object);

    Value value(QStringView key) const;                   // must be there
    std::optional<Value> optional(QStringView key) const; // may be missing
    QStringList keys() const;
    void finish() const;

private:
    QString where() const;

    QString m_file;
    QString m_path;
    std::shared_ptr<const QJsonObject> m_object;
    std::shared_ptr<QSet<QString>> m_read;
};

// A JSON file whose top level is an object; a syntax error names its line.
[[nodiscard]] Record parseRecord(const QString &file, QByteArrayView utf8);

// The files themselves, by their name below ":/demo/".
[[nodiscard]] Table table(const QString &file, const QStringList &columns = {});
[[nodiscard]] Record record(const QString &file);
// A text file with its placeholders filled; errors name the line.
[[nodiscard]] QString text(const QString &file, const Values &values = {});

} // namespace Demo::Data
