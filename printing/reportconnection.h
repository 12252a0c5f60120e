#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

// A data connection the report engine pulls its rows from. The host declares the columns and
// moves through its rows in the event handlers; the connection keeps the current row number
// for them and collects the values a row delivers.
class ReportConnection final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportConnection)

public:
    enum class FieldType { Text };

    struct Column
    {
        QString name;
        FieldType type = FieldType::Text;
        int width = 0; // in characters, for a report designer
        QString fullName;
        QString description;

        bool operator==(const Column &) const = default;
    };

    struct Value
    {
        QString text; // as the report shows it
        QVariant native;

        bool operator==(const Value &) const = default;
    };

    explicit ReportConnection(QObject *parent = nullptr);
    ~ReportConnection() override;

    // The events; each gets this connection.
    std::function<void(ReportConnection &)> OnGetCols;
    std::function<void(ReportConnection &)> OnFirst;
    std::function<void(ReportConnection &)> OnNext;
    std::function<void(ReportConnection &, bool &Eof)> OnEOF;
    std::function<void(ReportConnection &)> OnGetRow;

    // For the handlers.
    void addColumn(const QString &name, FieldType type, int width, const QString &fullName = {},
                   const QString &description = {});
    qint32 rowNumber() const { return m_rowNumber; }
    void setRowNumber(qint32 row) { m_rowNumber = row; }
    void addValue(const QString &text, const QVariant &native = {});

    // For the engine: each calls its event once.
    QList<Column> columns();
    void first();
    void next();
    // True also when no handler answers: a connection without rows.
    bool eof();
    QList<Value> row();

private:
    QList<Column> m_columns;
    QList<Value> m_row;
    qint32 m_rowNumber = 0;
};
