#pragma once

#include "documents/search/searchindex.h"

#include <QAbstractTableModel>

#include <vector>

class SheetDirectory;

// The rows of the search window's result table: one per data sheet found, in the order of
// the hits (most first).
class SearchResultModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchResultModel)

public:
    enum Column { Nummer, Marke, Hersteller, Treffer, Auszug, ColumnCount };
    // The excerpt as HTML, the hits in bold.
    static constexpr int ExcerptHtmlRole = Qt::UserRole;

    struct Row
    {
        QString file;
        QString path;
        QString nummer;
        QString marke;
        QString hersteller;
        int hits = 0;
        int page = 0;
        QString excerpt; // with the index's markers
        std::vector<qint32> records;
    };

    explicit SearchResultModel(QObject *parent = nullptr);

    // The hits of files the catalogue does not know are left out.
    void setHits(const QList<IndexHit> &hits, const SheetDirectory &sheets);
    const Row &row(int index) const { return m_rows.at(std::size_t(index)); }
    // The catalogue records of all rows, ascending.
    std::vector<qint32> records() const;

    static QString excerptHtml(const QString &excerpt);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<Row> m_rows;
};
