#include "list/headercontrol.h"

#include "settings/windowstate.h"

#include <QIcon>
#include <QPixmap>

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
    setTextElideMode(Qt::ElideRight);
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
    m_sections.setHeaderData(section, Qt::Horizontal,
                             QIcon(QPixmap::fromImage(sortArrowImage(arrow))), Qt::DecorationRole);
}

SortArrow HeaderControl::sectionImage(int section) const
{
    return m_images.value(section, SortArrow::Blank);
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
