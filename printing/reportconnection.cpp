#include "printing/reportconnection.h"

ReportConnection::ReportConnection(QObject *parent)
    : QObject(parent)
{
}

ReportConnection::~ReportConnection() = default;

void ReportConnection::addColumn(const QString &name, FieldType type, int width,
                                 const QString &fullName, const QString &description)
{
    m_columns.append({name, type, width, fullName, description});
}

void ReportConnection::addValue(const QString &text, const QVariant &native)
{
    m_row.append({text, native});
}

QList<ReportConnection::Column> ReportConnection::columns()
{
    m_columns.clear();
    if (OnGetCols)
        OnGetCols(*this);
    return m_columns;
}

void ReportConnection::first()
{
    if (OnFirst)
        OnFirst(*this);
}

void ReportConnection::next()
{
    if (OnNext)
        OnNext(*this);
}

bool ReportConnection::eof()
{
    bool result = true;
    if (OnEOF)
        OnEOF(*this, result);
    return result;
}

QList<ReportConnection::Value> ReportConnection::row()
{
    m_row.clear();
    if (OnGetRow)
        OnGetRow(*this);
    return std::move(m_row);
}
