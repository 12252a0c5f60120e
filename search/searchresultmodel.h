#pragma once

#include "search/searchqueries.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

// The rows of the search window's result table: one per data sheet found, by number.
// The hits and the excerpt of a row are looked up when the row is first shown: the model
// gathers the rows asked for and says so with hitInfoWanted() (once per turn of the event
// loop); addHitInfo() brings them.
class SearchResultModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchResultModel)

public:
    enum Column { Nummer, Marke, Hersteller, Treffer, Auszug, ColumnCount };
    // The excerpt as HTML, the hits in bold.
    static constexpr int ExcerptHtmlRole = Qt::UserRole;

    explicit SearchResultModel(QObject *parent = nullptr);

    // The rows of a search, with the hit info it brought.
    void setAnswer(const SearchAnswer &answer);
    void clear();
    void addHitInfo(int generation, const QHash<qint64, HitInfo> &hitInfo);
    // The search whose rows these are.
    int generation() const { return m_generation; }
    // The ids of the rows shown without hit info since the last call.
    std::vector<qint64> takeWanted();

    const FoundSheet &found(int row) const { return m_rows.at(std::size_t(row)).found; }
    // Null until looked up.
    const HitInfo *hitInfo(int row) const;
    // The catalogue records of all rows, ascending.
    std::vector<qint32> records() const;

    static QString excerptHtml(const QString &excerpt);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void hitInfoWanted();

private:
    struct Row
    {
        FoundSheet found;
        std::optional<HitInfo> info;
        mutable bool wanted = false;
    };
    void want(const Row &row) const;

    std::vector<Row> m_rows;
    QHash<qint64, int> m_rowOfId;
    int m_generation = 0;
    mutable std::vector<qint64> m_wanted;
};
