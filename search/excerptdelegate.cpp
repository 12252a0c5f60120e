#include "search/excerptdelegate.h"

#include "search/searchresultmodel.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextDocument>

ExcerptDelegate::ExcerptDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void ExcerptDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    QTextDocument document;
    document.setDefaultFont(option.font);
    document.setDocumentMargin(0);
    document.setHtml(index.data(SearchResultModel::ExcerptHtmlRole).toString());
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = option.palette;
    context.palette.setColor(QPalette::Text, option.state & QStyle::State_Selected
                                                 ? option.palette.color(QPalette::HighlightedText)
                                                 : option.palette.color(QPalette::Text));
    painter->save();
    painter->setClipRect(text);
    painter->translate(text.left(), text.top() + (text.height() - document.size().height()) / 2.0);
    document.documentLayout()->draw(painter, context);
    painter->restore();
}
