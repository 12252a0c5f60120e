#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

class ReportConnection;

// The rows of one report run, taken from its data connection in one go before any page is
// laid out: the pages then never depend on a list that may change while they are generated.
// Only the fields the report shows are kept, in the order it names them, all in one string.
class ReportData
{
public:
    ReportData() = default;
    explicit ReportData(int fieldCount);

    // Declares the columns, then walks First / EOF / GetRow / Next. Raises AppError when the
    // connection does not declare one of `fields`.
    [[nodiscard]] static ReportData pull(ReportConnection &connection, const QStringList &fields);

    int fieldCount() const { return m_fieldCount; }
    int rowCount() const { return m_fieldCount ? int(m_ends.size()) / m_fieldCount : 0; }
    QStringView cell(int row, int field) const;

    // Adds a row; missing fields are empty, extra ones ignored.
    void append(const QStringList &cells);

private:
    void appendCell(QStringView text);

    int m_fieldCount = 0;
    QString m_text;
    std::vector<qsizetype> m_ends; // end of each cell in m_text, row by row
};
