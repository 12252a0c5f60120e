// The main window's column headers, sorting, and the list's columns kept in step with them.
#include "app/untmain.h"

#include "list/headercontrol.h"
#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "list/sortorder.h"

#include <QScrollBar>

namespace {

constexpr int ListColumn0MinimumWidth = 50;

} // namespace

void TfrmMain::wireHeaders()
{
    connect(hcKopf, &HeaderControl::resized, this, [this] {
        if (m_kopfResizeAttached)
            guarded([this] { hcKopfResize(); });
    });
    connect(hcKopf, &QHeaderView::sectionResized, this,
            [this](int section) { guarded([this, section] { hcKopfSectionResize(section); }); });
    connect(hcKopf, &QHeaderView::sectionClicked, this,
            [this](int section) { guarded([this, section] { hcKopfSectionClick(section); }); });
    lvKennblaetter->viewport()->installEventFilter(this);
}

void TfrmMain::hcKopfResize()
{
    lvKennblaetter->resize(hcKopf->width(), lvKennblaetter->height());
    hcFilter->resize(hcKopf->width(), hcFilter->height());
}

void TfrmMain::hcKopfSectionResize(int section)
{
    // The current width, not the one the signal carried: the header may have held the
    // section at its minimum meanwhile.
    const int width = hcKopf->sectionSize(section);
    lvKennblaetter->setColumnWidth(section,
                                   section == 0 ? std::max(width, ListColumn0MinimumWidth) : width);
    hcFilter->resizeSection(section, width);

    // The section's own controls take its width; those of later sections move along.
    for (const FilterControl &f : filterControls()) {
        if (f.section == section && f.widthLoss != FilterControl::KeepsWidth)
            f.control->resize(width - f.widthLoss, f.control->height());
        else if (f.section > section)
            f.control->move(hcFilter->sectionLeft(f.section), f.control->y());
    }
}

void TfrmMain::hcKopfSectionClick(int section)
{
    SortOrder = sortOrderAfterClick(SortOrder, section);
    for (int i = 0; i < hcKopf->count(); ++i) {
        const SortArrow arrow = i != section    ? SortArrow::Blank
                                : SortOrder > 0 ? SortArrow::Up
                                                : SortArrow::Down;
        hcKopf->setSectionImage(i, arrow);
    }
    m_model->sortRows(SortOrder);
}

void TfrmMain::lvKennblaetterCustomDraw()
{
    const QScrollBar *bar = lvKennblaetter->horizontalScrollBar();
    if (!bar->isVisible()) {
        hcKopf->move(0, hcKopf->y());
        hcFilter->move(0, hcFilter->y());
        return;
    }
    if (m_model->rowCount() == 0)
        return;
    const int left = -bar->value();
    hcKopf->move(left, hcKopf->y());
    // Widening the header must not widen the list with it.
    m_kopfResizeAttached = false;
    hcKopf->resize(Panel1->width() - left, hcKopf->height());
    m_kopfResizeAttached = true;
    hcFilter->setGeometry(left, hcFilter->y(), hcKopf->width(), hcFilter->height());
}
