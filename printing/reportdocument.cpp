#include "printing/reportdocument.h"

#include <QLocale>

using namespace Qt::StringLiterals;

ReportDocument::ReportDocument(const ReportDefinition &definition,
                               QHash<QString, QString> parameters, QDateTime printed)
    : m_layout(definition)
    , m_data(int(definition.columns.size()))
    , m_parameters(std::move(parameters))
    , m_printed(std::move(printed))
{
}

void ReportDocument::setData(ReportData data)
{
    Q_ASSERT(m_pages.empty() && data.fieldCount() == m_data.fieldCount());
    m_data = std::move(data);
    m_rowLines.reserve(std::size_t(m_data.rowCount()));
}

bool ReportDocument::generateNextPage()
{
    if (m_complete)
        return false;
    Page page{m_nextRow, m_nextRow, false};
    const int rowCount = m_data.rowCount();
    qreal y = m_layout.rowsTop();
    while (m_nextRow < rowCount) {
        const int lines = m_layout.rowLines(m_data, m_nextRow);
        const qreal height = m_layout.rowHeight(lines);
        // A row goes to the next page unless it is the first of this one.
        if (y + height > m_layout.rowsBottom() && page.endRow > page.firstRow)
            break;
        m_rowLines.push_back(quint8(lines));
        y += height;
        page.endRow = ++m_nextRow;
    }
    if (m_nextRow == rowCount) {
        const bool empty = page.endRow == page.firstRow;
        if (y + m_layout.summaryHeight() <= m_layout.rowsBottom() || empty) {
            page.summary = true;
            m_complete = true;
        }
    }
    m_pages.push_back(page);
    return true;
}

QString ReportDocument::value(QStringView name, int pageIndex) const
{
    if (name == u"Page")
        return QString::number(pageIndex + 1);
    if (name == u"PageCount")
        return QString::number(pageCount());
    if (name == u"PrintDate")
        return m_printed.toString(u"dd.MM.yyyy"_s);
    if (name == u"PrintTime")
        return m_printed.toString(u"HH:mm"_s);
    if (name == u"RowCount")
        return QLocale(QLocale::German).toString(m_data.rowCount());
    return m_parameters.value(name.toString());
}

QString ReportDocument::expand(const QString &text, int pageIndex) const
{
    QString result;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(u'{', pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'}', open);
        if (close < 0) {
            result += QStringView(text).sliced(pos);
            break;
        }
        result += QStringView(text).sliced(pos, open - pos);
        result += value(QStringView(text).sliced(open + 1, close - open - 1), pageIndex);
        pos = close + 1;
    }
    return result;
}

bool ReportDocument::shows(const ReportTextItem &item) const
{
    if (item.showIf.isEmpty())
        return true;
    const QString value = m_parameters.value(item.showIf);
    return item.showIfValue ? value == *item.showIfValue : !value.isEmpty();
}
