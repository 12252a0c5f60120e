#include "documents/search/searchresultmodel.h"

#include "documents/search/fts5extension.h"
#include "documents/search/sheetdirectory.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr QChar HitStart = QLatin1Char(Fts5Extension::HitStart);
constexpr QChar HitEnd = QLatin1Char(Fts5Extension::HitEnd);

} // namespace

SearchResultModel::SearchResultModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void SearchResultModel::setHits(const QList<IndexHit> &hits, const SheetDirectory &sheets)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(std::size_t(hits.size()));
    for (const IndexHit &hit : hits) {
        if (const SheetDirectory::Sheet *sheet = sheets.find(hit.file))
            m_rows.push_back({hit.file, sheet->path, sheet->nummer, sheet->marke, sheet->hersteller,
                              hit.hits, hit.page, hit.excerpt, sheet->records});
    }
    endResetModel();
}

std::vector<qint32> SearchResultModel::records() const
{
    std::vector<qint32> records;
    for (const Row &row : m_rows)
        records.insert(records.end(), row.records.begin(), row.records.end());
    std::sort(records.begin(), records.end());
    return records;
}

QString SearchResultModel::excerptHtml(const QString &excerpt)
{
    QString html;
    bool bold = false;
    for (const QString &part : excerpt.split(HitStart)) {
        const qsizetype end = part.indexOf(HitEnd);
        if (bold && end >= 0)
            html += u"<b>"_s + part.left(end).toHtmlEscaped() + u"</b>"_s +
                    part.mid(end + 1).toHtmlEscaped();
        else
            html += part.toHtmlEscaped();
        bold = true;
    }
    return html;
}

int SearchResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SearchResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row &r = row(index.row());
    if (role == ExcerptHtmlRole && index.column() == Auszug)
        return excerptHtml(r.excerpt);
    if (role == Qt::TextAlignmentRole && index.column() == Treffer)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Nummer:
        return r.nummer;
    case Marke:
        return r.marke;
    case Hersteller:
        return r.hersteller;
    case Treffer:
        return r.hits;
    case Auszug: {
        QString plain = r.excerpt;
        plain.remove(HitStart).remove(HitEnd);
        return plain;
    }
    default:
        return {};
    }
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QString captions[] = {u"Kennblatt-Nr."_s, u"Marke"_s, u"Hersteller/Lieferer"_s,
                                       u"Treffer"_s, u"Textauszug"_s};
    return section >= 0 && section < ColumnCount ? captions[section] : QVariant();
}
