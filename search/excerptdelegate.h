#pragma once

#include <QStyledItemDelegate>

// Draws a text excerpt from its HTML (SearchResultModel::ExcerptHtmlRole), the hits in bold,
// on one line.
class ExcerptDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExcerptDelegate)

public:
    explicit ExcerptDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
