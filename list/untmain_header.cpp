// The main window's column headers, sorting, and the list's columns kept in step with them.
#include "app/untmain.h"

#include "list/headercontrol.h"
#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "list/ownerdrawcombobox.h"
#include "list/sortorder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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

    const auto setWidth = [](QWidget *control, int w) {
        control->resize(w, control->height());
    };
    const auto moveTo = [this](QWidget *control, int filterSection) {
        control->move(hcFilter->sectionLeft(filterSection), control->y());
    };
    switch (section) {
    case 0:
        setWidth(cmbFilterKennblattNr, width - 2);
        break;
    case 1:
        setWidth(cmbFilterMarke, width - 2);
        break;
    case 2:
        setWidth(cmbFilterPulver, width - 2);
        break;
    case 3:
        setWidth(cmbFilterHersteller, width - 2);
        setWidth(edtFilterHersteller, width - 22);
        break;
    case 4:
        setWidth(cmbFilterZusatz, width - 2);
        setWidth(edtFilterZusatz, width - 22);
        break;
    case 5:
        setWidth(cmbFilterTUEO, width - 2);
        setWidth(edtFilterTUEO, width - 22);
        break;
    case 6:
        setWidth(cmbFilterGeaendert, width - 2);
        break;
    default:
        break;
    }
    if (section < 7)
        moveTo(btnLoeschen, 7);
    if (section < 6)
        moveTo(cmbFilterGeaendert, 6);
    if (section < 5) {
        moveTo(cmbFilterTUEO, 5);
        moveTo(edtFilterTUEO, 5);
    }
    if (section < 4) {
        moveTo(cmbFilterZusatz, 4);
        moveTo(edtFilterZusatz, 4);
    }
    if (section < 3) {
        moveTo(cmbFilterHersteller, 3);
        moveTo(edtFilterHersteller, 3);
    }
    if (section < 2)
        moveTo(cmbFilterPulver, 2);
    if (section < 1)
        moveTo(cmbFilterMarke, 1);
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
