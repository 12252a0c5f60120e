#include "list/headercontrol.h"

#include "settings/windowstate.h"

#include <QIcon>
#include <QPixmap>
#include <QStyleOptionHeader>

HeaderControl::HeaderControl(const QList<Section> &sections, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_sections(0, int(sections.size()))
{
    setModel(&m_sections);
    setMinimumSectionSize(0);
    setMaximumSectionSize(MaximumSectionWidth);
    setStretchLastSection(false);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The view's own eliding leaves the image out of account; initStyleOptionForIndex elides.
    setTextElideMode(Qt::ElideNone);
    for (int i = 0; i < sections.size(); ++i) {
        const Section &s = sections[i];
        m_sections.setHeaderData(i, Qt::Horizontal, s.caption);
        m_sections.setHeaderData(i, Qt::Horizontal, s.minimumWidth, SectionMinimumWidthRole);
        m_images.append(SortArrow::Blank);
        if (s.hasImage)
            setSectionImage(i, SortArrow::Blank);
        resizeSection(i, s.width);
    }
    // The user drags a section: hold it within its own limits.
    connect(this, &QHeaderView::sectionResized, this, [this](int section, int, int newSize) {
        const int width = clampedWidth(section, newSize);
        if (width != newSize)
            resizeSection(section, width);
    });
}

int HeaderControl::sectionMinimumWidth(int section) const
{
    return m_sections.headerData(section, Qt::Horizontal, SectionMinimumWidthRole).toInt();
}

int HeaderControl::sectionLeft(int section) const
{
    int left = 0;
    for (int i = 0; i < section; ++i)
        left += sectionSize(i);
    return left;
}

void HeaderControl::setSectionImage(int section, SortArrow arrow)
{
    m_images[section] = arrow;
    // Twice the pixels for screens that have them, so that the arrow stays sharp there.
    QIcon icon(QPixmap::fromImage(sortArrowImage(arrow)));
    QPixmap doubled = QPixmap::fromImage(sortArrowImage(arrow).scaled(
        2 * SortArrowWidth, 2 * SortArrowHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    doubled.setDevicePixelRatio(2.0);
    icon.addPixmap(doubled);
    m_sections.setHeaderData(section, Qt::Horizontal, icon, Qt::DecorationRole);
}

SortArrow HeaderControl::sectionImage(int section) const
{
    return m_images.value(section, SortArrow::Blank);
}

void HeaderControl::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    option->rect =
        QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex), height());
    // The label draws the image first and the text 2 pixels after it.
    QRect text = style()->subElementRect(QStyle::SE_HeaderLabel, option, this);
    if (!option->icon.isNull()) {
        const int extent = style()->pixelMetric(QStyle::PM_SmallIconSize, option, this);
        text.setLeft(text.left() + option->icon.actualSize(QSize(extent, extent)).width() + 2);
    }
    // On a scaled screen a few pixels spare: the text is then laid out for the device's
    // pixels, with slightly wider advances than the logical font's metrics say.
    const int spare = devicePixelRatioF() > 1.0 ? 4 : 0;
    option->text =
        option->fontMetrics.elidedText(option->text, Qt::ElideRight, text.width() - spare);
}

QString HeaderControl::shownCaption(int section) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, section);
    return option.text;
}

void HeaderControl::resizeEvent(QResizeEvent *event)
{
    QHeaderView::resizeEvent(event);
    Q_EMIT resized();
}

int HeaderControl::clampedWidth(int section, int width) const
{
    return std::clamp(width, sectionMinimumWidth(section), MaximumSectionWidth);
}
