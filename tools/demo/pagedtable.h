#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A document that is mostly one long table: the house header on every page, the column
// header repeated at the top of each page, group headings kept with their first row, text
// paragraphs before, between or after the rows, and "Seite x von y" in the footer (so the
// whole document is laid out before anything is drawn).
class PagedTable
{
public:
    struct Column
    {
        QString title;
        double width; // mm; the widths should add up to the content width
        bool centred = false;
    };

    PagedTable(QString title, QString subtitle, QList<Column> columns);

    void addParagraph(const QString &text, bool bold = false);
    void addGroup(const QString &heading);
    void addRow(const QStringList &cells); // cells wrap within their columns

    [[nodiscard]] bool write(const QString &path, const QString &editionLabel,
                             const QString &footer, QString *error) const;

private:
    enum class Kind { Paragraph, BoldParagraph, Group, Row };
    struct Item
    {
        Kind kind;
        QStringList cells;
    };

    QString m_title;
    QString m_subtitle;
    QList<Column> m_columns;
    QList<Item> m_items;
};
