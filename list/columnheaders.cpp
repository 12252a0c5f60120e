#include "list/columnheaders.h"

#include "list/columncaptions.h"
#include "list/headercontrol.h"
#include "list/kennblattlistview.h"
#include "list/sortorder.h"
#include "platform/anchors.h"
#include "platform/guardedconnect.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr int ListColumn0MinimumWidth = 50;

QList<HeaderControl::Section> kopfSections()
{
    const auto caption = [](ListColumn column) {
        return ListColumnCaptions[std::size_t(column)].toString();
    };
    return {
        {caption(ListColumn::Nummer), 150, 40, true},
        {caption(ListColumn::Marke), 150, 40, true},
        {caption(ListColumn::Pulvermarke), 150, 0, true},
        {caption(ListColumn::HerstLiefSchl), 50, 0, true},
        {caption(ListColumn::ZusatzSchl), 50, 0, true},
        {caption(ListColumn::InfoGeberSchl), 50, 0, true},
        {caption(ListColumn::Aenderung), 50, 20, false},
    };
}

// The sections of hcKopf without captions, and the one of the filter-clear button.
QList<HeaderControl::Section> filterSections()
{
    QList<HeaderControl::Section> sections;
    for (const HeaderControl::Section &s : kopfSections())
        sections.append({QString(), s.width, 0, false});
    sections.append({QString(), 73, 0, false});
    return sections;
}

} // namespace

ColumnHeaders::ColumnHeaders(DialogService &dialogs, QWidget &panel, KennblattListView &list,
                             QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_list(list)
    , hcKopf(new HeaderControl(kopfSections(), &panel))
    , hcFilter(new HeaderControl(filterSections(), &panel))
{
    hcKopf->setObjectName(u"hcKopf"_s);
    hcKopf->setGeometry(0, 0, panel.width(), 17);
    hcKopf->setSectionsClickable(true);
    hcKopf->setSectionResizeMode(QHeaderView::Interactive);
    Anchors::anchor(*hcKopf, Qt::RightEdge);
    hcFilter->setObjectName(u"hcFilter"_s);
    hcFilter->setGeometry(0, 17, panel.width(), 23);
    hcFilter->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < hcKopf->count(); ++column)
        m_list.setColumnWidth(column, hcKopf->sectionSize(column));

    connectGuarded(dialogs, hcKopf, &HeaderControl::resized, this, &ColumnHeaders::hcKopfResize);
    connectGuarded(dialogs, hcKopf, &QHeaderView::sectionResized, this,
                   &ColumnHeaders::hcKopfSectionResize);
    const QScrollBar *bar = m_list.horizontalScrollBar();
    connectGuarded(dialogs, bar, &QScrollBar::valueChanged, this,
                   &ColumnHeaders::lvKennblaetterCustomDraw);
    connectGuarded(dialogs, bar, &QScrollBar::rangeChanged, this,
                   &ColumnHeaders::lvKennblaetterCustomDraw);
}

void ColumnHeaders::placeOnPanel()
{
    hcKopf->move(0, 1);
    m_list.move(hcKopf->x() + m_panel.x(), m_list.y());
}

void ColumnHeaders::carryWidthsOver()
{
    hcKopfResize();
    for (int section = 0; section < hcKopf->count(); ++section)
        hcKopfSectionResize(section);
}

void ColumnHeaders::showSortArrow(qint32 sortOrder)
{
    const int sorted = std::abs(sortOrder) - 1;
    for (int i = 0; i < hcKopf->count(); ++i) {
        const SortArrow arrow = i != sorted     ? SortArrow::Blank
                                : sortOrder > 0 ? SortArrow::Up
                                                : SortArrow::Down;
        hcKopf->setSectionImage(i, arrow);
    }
}

void ColumnHeaders::hcKopfResize()
{
    m_list.resize(hcKopf->width(), m_list.height());
    hcFilter->resize(hcKopf->width(), hcFilter->height());
}

void ColumnHeaders::hcKopfSectionResize(int section)
{
    // The current width, not the one the signal carried: the header may have held the
    // section at its minimum meanwhile.
    const int width = hcKopf->sectionSize(section);
    m_list.setColumnWidth(section, section == 0 ? std::max(width, ListColumn0MinimumWidth) : width);
    hcFilter->resizeSection(section, width);
    Q_EMIT filterSectionResized(*hcFilter, section);
}

void ColumnHeaders::lvKennblaetterCustomDraw()
{
    // The bar shows exactly when its range is not empty.
    const QScrollBar *bar = m_list.horizontalScrollBar();
    if (bar->maximum() <= bar->minimum()) {
        hcKopf->move(0, hcKopf->y());
        hcFilter->move(0, hcFilter->y());
        return;
    }
    if (m_list.model()->rowCount() == 0)
        return;
    const int left = -bar->value();
    hcKopf->move(left, hcKopf->y());
    {
        // Widening the header must not widen the list with it.
        const QSignalBlocker detached(hcKopf);
        hcKopf->resize(m_panel.width() - left, hcKopf->height());
    }
    hcFilter->setGeometry(left, hcFilter->y(), hcKopf->width(), hcFilter->height());
}
