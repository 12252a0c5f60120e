#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <optional>

// What a report project file says about one report, in millimetres and points as written
// there (reportprojectreader.h describes the file). Plain data; ReportLayout turns it into
// device-independent layout units.

enum class ReportAlign { Left, Center, Right };

// What happens to a text wider than its box: cut with "…", or wrapped onto further lines
// (at most maxLines; the last one is cut).
enum class ReportOverflow { Elide, Wrap };

struct ReportFontSpec
{
    QString family;
    double pointSize = 9;
    bool bold = false;
    bool italic = false;

    bool operator==(const ReportFontSpec &) const = default;
};

// A text in a band. `text` may hold placeholders "{name}" (reportdocument.h lists them).
// With `showIf` set, the item is drawn only when that parameter is not empty or, with
// `showIfValue` given, equals it.
struct ReportTextItem
{
    QRectF rect; // mm, relative to the band's top left corner at the left margin
    QString text;
    QString font;
    ReportAlign align = ReportAlign::Left;
    ReportOverflow overflow = ReportOverflow::Elide;
    QColor color = Qt::black;
    QString showIf;
    std::optional<QString> showIfValue;

    bool operator==(const ReportTextItem &) const = default;
};

struct ReportLineItem
{
    double x1 = 0;
    double x2 = 0; // 0: to the right margin
    double y = 0;
    double width = 0.2;
    QColor color = Qt::black;

    bool operator==(const ReportLineItem &) const = default;
};

// A horizontal strip of fixed height: page header, summary, page footer.
struct ReportBand
{
    double height = 0;
    QList<ReportTextItem> texts;
    QList<ReportLineItem> lines;

    bool operator==(const ReportBand &) const = default;
};

struct ReportColumn
{
    QString field; // a column of the data connection
    QString title;
    double width = 20;
    ReportAlign align = ReportAlign::Left;
    ReportOverflow overflow = ReportOverflow::Elide;
    int maxLines = 1;

    bool operator==(const ReportColumn &) const = default;
};

// The row of column titles at the top of the rows on every page.
struct ReportColumnHeader
{
    QString font;
    double height = 0; // 0: one line of the font and the padding
    QColor background = Qt::transparent;
    double ruleWidth = 0; // a line below the titles; 0 for none
    QColor ruleColor = Qt::black;

    bool operator==(const ReportColumnHeader &) const = default;
};

struct ReportDetail
{
    QString font;
    double padding = 0.5;            // above and below the text of a row
    QColor stripe = Qt::transparent; // background of every second row
    double ruleWidth = 0;            // a line below each row; 0 for none
    QColor ruleColor = Qt::lightGray;

    bool operator==(const ReportDetail &) const = default;
};

struct ReportDefinition
{
    QString name;
    QString connection;
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{15, 12, 12, 12}; // mm
    QHash<QString, ReportFontSpec> fonts;
    ReportBand pageHeader;
    ReportColumnHeader columnHeader;
    QList<ReportColumn> columns;
    double cellPadding = 1; // mm left and right of the text in a column
    ReportDetail detail;
    ReportBand summary; // after the last row
    ReportBand pageFooter;

    bool operator==(const ReportDefinition &) const = default;
};

// The reports of one project file, in file order.
struct ReportProjectContents
{
    QList<ReportDefinition> reports;

    const ReportDefinition *find(const QString &name) const
    {
        for (const ReportDefinition &report : reports) {
            if (report.name == name)
                return &report;
        }
        return nullptr;
    }
};
