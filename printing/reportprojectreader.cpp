#include "printing/reportprojectreader.h"

#include "platform/apperror.h"

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <initializer_list>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

template<typename Enum>
using Names = std::initializer_list<std::pair<QStringView, Enum>>;

constexpr Names<ReportAlign> alignNames = {
    {u"left", ReportAlign::Left}, {u"center", ReportAlign::Center}, {u"right", ReportAlign::Right}};
constexpr Names<ReportOverflow> overflowNames = {{u"elide", ReportOverflow::Elide},
                                                 {u"wrap", ReportOverflow::Wrap}};
constexpr Names<QPageLayout::Orientation> orientationNames = {
    {u"portrait", QPageLayout::Portrait}, {u"landscape", QPageLayout::Landscape}};
constexpr Names<bool> booleanNames = {{u"true", true}, {u"false", false}};

// Walks the file once; every error ends the walk with an AppError at the reader's position.
class ProjectParser
{
public:
    ProjectParser(QString path, const QByteArray &bytes)
        : m_path(std::move(path))
        , m_xml(bytes)
    {
    }

    ReportProjectContents parse()
    {
        if (!nextChild())
            fail(u"die Datei enthält kein Element"_s);
        if (m_xml.name() != u"reportproject")
            fail(u"das äußerste Element muss <reportproject> heißen, nicht <%1>"_s.arg(
                m_xml.name()));
        checkAttributes({});
        ReportProjectContents contents;
        while (nextChild()) {
            if (m_xml.name() != u"report")
                unknownElement();
            ReportDefinition report = readReport();
            if (contents.find(report.name))
                fail(u"der Bericht \"%1\" ist doppelt beschrieben"_s.arg(report.name));
            contents.reports.append(std::move(report));
        }
        while (!m_xml.atEnd())
            m_xml.readNext();
        if (m_xml.hasError())
            failXml();
        return contents;
    }

private:
    [[noreturn]] void fail(const QString &reason) const
    {
        throw AppError(u"Die Berichtsdatei \"%1\" ist fehlerhaft (Zeile %2, Spalte %3): %4"_s.arg(
            m_path, QString::number(m_xml.lineNumber()), QString::number(m_xml.columnNumber()),
            reason));
    }

    [[noreturn]] void failXml() const
    {
        // Qt's own reason is English; it follows the German one for the details.
        switch (m_xml.error()) {
        case QXmlStreamReader::PrematureEndOfDocumentError:
            fail(u"die Datei endet vorzeitig"_s);
        default:
            fail(u"kein gültiges XML (%1)"_s.arg(m_xml.errorString()));
        }
    }

    [[noreturn]] void unknownElement() const
    {
        fail(u"unbekanntes Element <%1>"_s.arg(m_xml.name()));
    }

    // The next child element of the current one; false at its end tag.
    bool nextChild()
    {
        const bool found = m_xml.readNextStartElement();
        if (m_xml.hasError())
            failXml();
        return found;
    }

    void checkAttributes(std::initializer_list<QStringView> allowed) const
    {
        for (const QXmlStreamAttribute &a : m_xml.attributes()) {
            if (std::find(allowed.begin(), allowed.end(), a.name()) == allowed.end())
                fail(u"<%1> kennt das Attribut \"%2\" nicht"_s.arg(m_xml.name(), a.name()));
        }
    }

    bool has(QStringView name) const { return m_xml.attributes().hasAttribute(name.toString()); }

    QString text(QStringView name, const QString &fallback = {}) const
    {
        return has(name) ? m_xml.attributes().value(name.toString()).toString() : fallback;
    }

    QString required(QStringView name) const
    {
        const QString value = text(name).trimmed();
        if (value.isEmpty())
            fail(u"<%1> braucht das Attribut \"%2\""_s.arg(m_xml.name(), name));
        return value;
    }

    double number(QStringView name, double fallback, double min = 0, double max = 10000) const
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const QString raw = text(name).trimmed();
        const double value = raw.toDouble(&ok);
        if (!ok)
            fail(u"\"%1\" ist keine Zahl (Attribut \"%2\"; Dezimalpunkt, kein Komma)"_s.arg(raw,
                                                                                            name));
        if (value < min || value > max)
            fail(u"%1 = %2 liegt nicht zwischen %3 und %4"_s.arg(name, raw, QString::number(min),
                                                                 QString::number(max)));
        return value;
    }

    QColor color(QStringView name, QColor fallback) const
    {
        if (!has(name))
            return fallback;
        const QColor value = QColor::fromString(text(name).trimmed());
        if (!value.isValid())
            fail(u"\"%1\" ist keine Farbe (Attribut \"%2\")"_s.arg(text(name), name));
        return value;
    }

    template<typename Enum>
    Enum choice(QStringView name, Names<Enum> names, Enum fallback) const
    {
        if (!has(name))
            return fallback;
        const QString value = text(name).trimmed();
        QStringList allowed;
        for (const auto &[key, result] : names) {
            if (value == key)
                return result;
            allowed.append(key.toString());
        }
        fail(u"\"%1\" ist für \"%2\" nicht erlaubt (%3)"_s.arg(value, name, allowed.join(u", "_s)));
    }

    QString fontRef(const ReportDefinition &report) const
    {
        if (report.fonts.isEmpty())
            fail(u"vor <%1> muss mindestens ein <font> stehen"_s.arg(m_xml.name()));
        if (!has(u"font"))
            return m_firstFont;
        const QString id = text(u"font").trimmed();
        if (!report.fonts.contains(id))
            fail(u"die Schrift \"%1\" ist (noch) nicht mit <font> beschrieben"_s.arg(id));
        return id;
    }

    ReportDefinition readReport()
    {
        checkAttributes({u"name", u"connection"});
        ReportDefinition report;
        report.name = required(u"name");
        report.connection = required(u"connection");
        m_firstFont.clear();
        while (nextChild()) {
            const QStringView element = m_xml.name();
            if (element == u"page")
                readPage(report);
            else if (element == u"font")
                readFont(report);
            else if (element == u"pageheader")
                report.pageHeader = readBand(report);
            else if (element == u"columnheader")
                readColumnHeader(report);
            else if (element == u"columns")
                readColumns(report);
            else if (element == u"detail")
                readDetail(report);
            else if (element == u"summary")
                report.summary = readBand(report);
            else if (element == u"pagefooter")
                report.pageFooter = readBand(report);
            else
                unknownElement();
        }
        checkReport(report);
        return report;
    }

    void readPage(ReportDefinition &report)
    {
        checkAttributes(
            {u"size", u"width", u"height", u"orientation", u"left", u"top", u"right", u"bottom"});
        if (has(u"size")) {
            const QString key = text(u"size").trimmed();
            report.pageSize = QPageSize();
            for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
                const auto candidate = QPageSize::PageSizeId(id);
                if (QPageSize::key(candidate).compare(key, Qt::CaseInsensitive) == 0)
                    report.pageSize = QPageSize(candidate);
            }
            if (!report.pageSize.isValid())
                fail(u"das Papierformat \"%1\" ist unbekannt"_s.arg(key));
        } else if (has(u"width") || has(u"height")) {
            const QSizeF size(number(u"width", 0, 20, 2000), number(u"height", 0, 20, 2000));
            if (size.isEmpty())
                fail(u"<page> braucht \"width\" und \"height\" zusammen"_s);
            report.pageSize = QPageSize(size, QPageSize::Millimeter);
        }
        report.orientation = choice(u"orientation", orientationNames, report.orientation);
        report.margins = QMarginsF(
            number(u"left", report.margins.left()), number(u"top", report.margins.top()),
            number(u"right", report.margins.right()), number(u"bottom", report.margins.bottom()));
        m_xml.skipCurrentElement();
    }

    void readFont(ReportDefinition &report)
    {
        checkAttributes({u"id", u"family", u"size", u"bold", u"italic"});
        const QString id = required(u"id");
        if (report.fonts.contains(id))
            fail(u"die Schrift \"%1\" ist doppelt beschrieben"_s.arg(id));
        ReportFontSpec font;
        font.family = required(u"family");
        font.pointSize = number(u"size", font.pointSize, 3, 144);
        font.bold = choice(u"bold", booleanNames, false);
        font.italic = choice(u"italic", booleanNames, false);
        report.fonts.insert(id, font);
        if (m_firstFont.isEmpty())
            m_firstFont = id;
        m_xml.skipCurrentElement();
    }

    ReportBand readBand(const ReportDefinition &report)
    {
        checkAttributes({u"height"});
        ReportBand band;
        band.height = number(u"height", 0);
        while (nextChild()) {
            if (m_xml.name() == u"text")
                band.texts.append(readText(report));
            else if (m_xml.name() == u"line")
                band.lines.append(readLine());
            else
                unknownElement();
        }
        return band;
    }

    ReportTextItem readText(const ReportDefinition &report)
    {
        checkAttributes({u"x", u"y", u"width", u"height", u"font", u"align", u"overflow", u"color",
                         u"showif", u"showifvalue"});
        ReportTextItem item;
        item.rect = QRectF(number(u"x", 0), number(u"y", 0), number(u"width", 0, 1),
                           number(u"height", 0, 1));
        if (!has(u"width") || !has(u"height"))
            fail(u"<text> braucht \"width\" und \"height\""_s);
        item.font = fontRef(report);
        item.align = choice(u"align", alignNames, item.align);
        item.overflow = choice(u"overflow", overflowNames, item.overflow);
        item.color = color(u"color", item.color);
        item.showIf = text(u"showif").trimmed();
        if (has(u"showifvalue"))
            item.showIfValue = text(u"showifvalue");
        item.text = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).trimmed();
        if (m_xml.hasError())
            failXml();
        return item;
    }

    ReportLineItem readLine()
    {
        checkAttributes({u"x1", u"x2", u"y", u"width", u"color"});
        ReportLineItem line;
        line.x1 = number(u"x1", 0);
        line.x2 = number(u"x2", 0);
        line.y = number(u"y", 0);
        line.width = number(u"width", line.width, 0.01, 10);
        line.color = color(u"color", line.color);
        m_xml.skipCurrentElement();
        return line;
    }

    void readColumnHeader(ReportDefinition &report)
    {
        checkAttributes({u"font", u"height", u"background", u"rule", u"rulecolor"});
        ReportColumnHeader &header = report.columnHeader;
        header.font = fontRef(report);
        header.height = number(u"height", 0);
        header.background = color(u"background", header.background);
        header.ruleWidth = number(u"rule", 0, 0, 10);
        header.ruleColor = color(u"rulecolor", header.ruleColor);
        m_xml.skipCurrentElement();
    }

    void readColumns(ReportDefinition &report)
    {
        checkAttributes({u"padding"});
        report.cellPadding = number(u"padding", report.cellPadding, 0, 20);
        while (nextChild()) {
            if (m_xml.name() != u"column")
                unknownElement();
            checkAttributes({u"field", u"title", u"width", u"align", u"overflow", u"maxlines"});
            ReportColumn column;
            column.field = required(u"field");
            column.title = text(u"title", column.field);
            column.width = number(u"width", 0, 1);
            if (!has(u"width"))
                fail(u"<column> braucht das Attribut \"width\""_s);
            column.align = choice(u"align", alignNames, column.align);
            column.overflow = choice(u"overflow", overflowNames, column.overflow);
            column.maxLines = int(number(u"maxlines", 3, 1, 20));
            if (column.overflow == ReportOverflow::Elide)
                column.maxLines = 1;
            report.columns.append(column);
            m_xml.skipCurrentElement();
        }
    }

    void readDetail(ReportDefinition &report)
    {
        checkAttributes({u"font", u"padding", u"stripe", u"rule", u"rulecolor"});
        ReportDetail &detail = report.detail;
        detail.font = fontRef(report);
        detail.padding = number(u"padding", detail.padding, 0, 20);
        detail.stripe = color(u"stripe", detail.stripe);
        detail.ruleWidth = number(u"rule", 0, 0, 10);
        detail.ruleColor = color(u"rulecolor", detail.ruleColor);
        m_xml.skipCurrentElement();
    }

    // Checked at the end tag of <report>, where the error then points.
    void checkReport(ReportDefinition &report) const
    {
        if (report.fonts.isEmpty())
            fail(u"der Bericht \"%1\" beschreibt keine Schrift"_s.arg(report.name));
        if (report.columns.isEmpty())
            fail(u"der Bericht \"%1\" hat keine Spalten"_s.arg(report.name));
        if (report.detail.font.isEmpty())
            report.detail.font = m_firstFont;
        if (report.columnHeader.font.isEmpty())
            report.columnHeader.font = m_firstFont;
        const QRectF paper(QPointF(), QPageLayout(report.pageSize, report.orientation, {})
                                          .fullRect(QPageLayout::Millimeter)
                                          .size());
        const double bodyWidth = paper.width() - report.margins.left() - report.margins.right();
        if (bodyWidth <= 0 || paper.height() - report.margins.top() - report.margins.bottom() <= 0)
            fail(u"die Ränder lassen auf der Seite keinen Platz"_s);
        double columnsWidth = 0;
        for (const ReportColumn &column : std::as_const(report.columns))
            columnsWidth += column.width;
        if (columnsWidth > bodyWidth + 0.01)
            fail(u"die Spalten sind zusammen %1 mm breit, zwischen den Rändern sind %2 mm"_s.arg(
                QString::number(columnsWidth), QString::number(bodyWidth)));
    }

    const QString m_path;
    QXmlStreamReader m_xml;
    QString m_firstFont;
};

} // namespace

ReportProjectContents readReportProject(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(u"Die Berichtsdatei \"%1\" kann nicht gelesen werden: %2"_s.arg(
            path, file.errorString()));
    // A project file is a few kilobytes; anything beyond a megabyte is not one.
    constexpr qint64 maxSize = 1 << 20;
    if (file.size() > maxSize)
        throw AppError(
            u"Die Berichtsdatei \"%1\" ist zu groß für eine Berichtsbeschreibung"_s.arg(path));
    return ProjectParser(path, file.readAll()).parse();
}
