#include "search/searchresultmodel.h"

#include "search/fts5extension.h"

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

void SearchResultModel::setAnswer(const SearchAnswer &answer)
{
    beginResetModel();
    m_generation = answer.generation;
    m_rows.clear();
    m_rowOfId.clear();
    m_wanted.clear();
    m_rows.reserve(answer.found.size());
    m_rowOfId.reserve(qsizetype(answer.found.size()));
    for (const FoundSheet &found : answer.found) {
        m_rowOfId.insert(found.id, int(m_rows.size()));
        const auto info = answer.hitInfo.constFind(found.id);
        m_rows.push_back(
            {found, info != answer.hitInfo.cend() ? std::optional(*info) : std::nullopt});
    }
    endResetModel();
}

void SearchResultModel::clear()
{
    SearchAnswer none;
    none.generation = m_generation;
    setAnswer(none);
}

void SearchResultModel::addHitInfo(int generation, const QHash<qint64, HitInfo> &hitInfo)
{
    if (generation != m_generation)
        return;
    for (auto info = hitInfo.cbegin(); info != hitInfo.cend(); ++info) {
        const auto row = m_rowOfId.constFind(info.key());
        if (row == m_rowOfId.cend())
            continue;
        m_rows[std::size_t(*row)].info = info.value();
        Q_EMIT dataChanged(index(*row, Treffer), index(*row, Auszug));
    }
}

void SearchResultModel::want(const Row &row) const
{
    if (row.info || row.wanted)
        return;
    row.wanted = true;
    if (m_wanted.empty()) {
        // Asked while the view paints: the rows of one paint go together.
        QMetaObject::invokeMethod(const_cast<SearchResultModel *>(this),
                                  &SearchResultModel::hitInfoWanted, Qt::QueuedConnection);
    }
    m_wanted.push_back(row.found.id);
}

std::vector<qint64> SearchResultModel::takeWanted()
{
    return std::exchange(m_wanted, {});
}

const HitInfo *SearchResultModel::hitInfo(int row) const
{
    const std::optional<HitInfo> &info = m_rows.at(std::size_t(row)).info;
    return info ? &*info : nullptr;
}

std::vector<qint32> SearchResultModel::records() const
{
    std::vector<qint32> records;
    for (const Row &row : m_rows)
        records.insert(records.end(), row.found.sheet->records.begin(),
                       row.found.sheet->records.end());
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
    const Row &r = m_rows[std::size_t(index.row())];
    const SheetDirectory::Sheet &sheet = *r.found.sheet;
    const bool fromInfo = index.column() == Treffer || index.column() == Auszug;
    if (fromInfo && !r.info) {
        if (role == Qt::DisplayRole || role == ExcerptHtmlRole)
            want(r);
        return {};
    }
    if (role == ExcerptHtmlRole && index.column() == Auszug)
        return excerptHtml(r.info->excerpt);
    if (role == Qt::TextAlignmentRole && index.column() == Treffer)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Nummer:
        return sheet.nummer;
    case Marke:
        return sheet.marke;
    case Hersteller:
        return sheet.hersteller;
    case Treffer:
        return r.info->hits;
    case Auszug: {
        QString plain = r.info->excerpt;
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
