#include "printing/reportdata.h"

#include "platform/apperror.h"
#include "printing/reportconnection.h"

using namespace Qt::StringLiterals;

ReportData::ReportData(int fieldCount)
    : m_fieldCount(fieldCount)
{
}

ReportData ReportData::pull(ReportConnection &connection, const QStringList &fields)
{
    const QList<ReportConnection::Column> columns = connection.columns();
    std::vector<qsizetype> sources;
    for (const QString &field : fields) {
        const auto found = std::find_if(columns.begin(), columns.end(),
                                        [&](const auto &column) { return column.name == field; });
        if (found == columns.end())
            throw AppError(u"Die Datenverbindung \"%1\" liefert die Spalte \"%2\" nicht."_s.arg(
                connection.objectName(), field));
        sources.push_back(found - columns.begin());
    }

    ReportData data(int(fields.size()));
    connection.first();
    while (!connection.eof()) {
        const QList<ReportConnection::Value> values = connection.row();
        for (const qsizetype source : sources)
            data.appendCell(source < values.size() ? QStringView(values[source].text)
                                                   : QStringView());
        connection.next();
    }
    return data;
}

QStringView ReportData::cell(int row, int field) const
{
    const std::size_t index = std::size_t(row) * m_fieldCount + field;
    const qsizetype begin = index == 0 ? 0 : m_ends[index - 1];
    return QStringView(m_text).sliced(begin, m_ends[index] - begin);
}

void ReportData::append(const QStringList &cells)
{
    for (int field = 0; field < m_fieldCount; ++field)
        appendCell(field < cells.size() ? QStringView(cells[field]) : QStringView());
}

void ReportData::appendCell(QStringView text)
{
    m_text.append(text);
    m_ends.push_back(m_text.size());
}
