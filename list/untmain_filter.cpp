// The main window's list building and filter controls.
#include "app/untmain.h"

#include "list/filterhistory.h"
#include "list/headercontrol.h"
#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "list/ownerdrawcombobox.h"
#include "platform/cp1252.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void TfrmMain::wireList()
{
    connectHandler(cmbFilterGeaendert, &QComboBox::activated, &TfrmMain::cmbFilterGeaendertSelect);
    connectHandler(cmbFilterHersteller, &QComboBox::activated,
                   &TfrmMain::cmbFilterHerstellerSelect);
    connectHandler(cmbFilterZusatz, &QComboBox::activated, &TfrmMain::cmbFilterZusatzSelect);
    connectHandler(cmbFilterTUEO, &QComboBox::activated, &TfrmMain::cmbFilterTUEOSelect);
    connectHandler(cmbFilterGeaendert, &DropDownComboBox::droppedDown,
                   &TfrmMain::cmbFilterGeaendertDropDown);
    connectHandler(cmbFilterHersteller, &OwnerDrawComboBox::droppedDown,
                   &TfrmMain::cmbFilterHerstellerDropDown);
    connectHandler(cmbFilterZusatz, &OwnerDrawComboBox::droppedDown,
                   &TfrmMain::cmbFilterZusatzDropDown);
    connectHandler(cmbFilterTUEO, &OwnerDrawComboBox::droppedDown,
                   &TfrmMain::cmbFilterTUEODropDown);
    connectHandler(btnLoeschen, &QPushButton::clicked, &TfrmMain::btnLoeschenClick);
    connectHandler(mnuAlleFilterloeschen, &QAction::triggered,
                   &TfrmMain::mnuAlleFilterloeschenClick);
}

bool TfrmMain::filterControlEvent(QObject *watched, QEvent *event)
{
    auto *textFilter = qobject_cast<QComboBox *>(watched);
    const bool isTextFilter =
        watched == cmbFilterKennblattNr || watched == cmbFilterMarke || watched == cmbFilterPulver;
    const bool isLookupEdit =
        watched == edtFilterHersteller || watched == edtFilterZusatz || watched == edtFilterTUEO;
    const bool isDropDownList = watched == cmbFilterHersteller || watched == cmbFilterZusatz ||
                                watched == cmbFilterTUEO || watched == cmbFilterGeaendert;

    if (event->type() == QEvent::FocusOut) {
        // Opening a drop-down or switching windows does not leave the control.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        if (isTextFilter)
            cmbFilterKennblattNrExit(textFilter);
        else if (isLookupEdit || watched == cmbFilterTUEO)
            cmbFilterGeaendertSelect();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (isTextFilter && isEnter(keyEvent->key())) {
            cmbFilterKennblattNrKeyPress(textFilter, keyEvent->key());
            return true;
        }
        if (isLookupEdit && isEnter(keyEvent->key())) {
            edtFilterHerstellerKeyPress(keyEvent->key());
            return true;
        }
        // Keys that type a character; the list takes the state before the key acts.
        if (isDropDownList && !keyEvent->text().isEmpty())
            cmbFilterGeaendertKeyPress();
    }
    return false;
}

FilterState TfrmMain::currentFilterState() const
{
    FilterState state;
    state.texts = {Cp1252::fromUnicode(cmbFilterKennblattNr->currentText()),
                   Cp1252::fromUnicode(cmbFilterMarke->currentText()),
                   Cp1252::fromUnicode(cmbFilterPulver->currentText()),
                   Cp1252::fromUnicode(edtFilterHersteller->text()),
                   Cp1252::fromUnicode(edtFilterZusatz->text()),
                   Cp1252::fromUnicode(edtFilterTUEO->text())};
    state.changeFilterIndex = cmbFilterGeaendert->currentIndex();
    return state;
}

void TfrmMain::RebuildList(bool clearFirst)
{
    const bool hadMarkedRows = lvKennblaetter->selectionModel()->hasSelection();
    if (!m_listBuilder.RebuildList(currentFilterState(), clearFirst, SortOrder))
        return;
    StaticText2->setText(QString::number(m_model->rowCount()));
    // New rows start unmarked: a count of marked rows shown before would now be wrong.
    if (hadMarkedRows)
        lvKennblaetterSelectItem();
}

void TfrmMain::cmbFilterKennblattNrExit(QComboBox *sender)
{
    AddToHistory(*sender);
    RebuildList(true);
}

void TfrmMain::cmbFilterKennblattNrKeyPress(QComboBox *sender, int key)
{
    if (isEnter(key))
        cmbFilterKennblattNrExit(sender);
}

void TfrmMain::cmbFilterGeaendertSelect()
{
    RebuildList(true);
}

void TfrmMain::edtFilterHerstellerKeyPress(int key)
{
    if (isEnter(key))
        RebuildList(true);
}

void TfrmMain::cmbFilterGeaendertKeyPress()
{
    RebuildList(true);
}

void TfrmMain::setLookupEditFromCombo(QComboBox *combo, QLineEdit *edit)
{
    edit->setText(combo->currentText());
    edit->setFocus();
    RebuildList(true);
}

void TfrmMain::cmbFilterHerstellerSelect()
{
    setLookupEditFromCombo(cmbFilterHersteller, edtFilterHersteller);
}

void TfrmMain::cmbFilterZusatzSelect()
{
    setLookupEditFromCombo(cmbFilterZusatz, edtFilterZusatz);
}

void TfrmMain::cmbFilterTUEOSelect()
{
    setLookupEditFromCombo(cmbFilterTUEO, edtFilterTUEO);
}

// The drop-down lists may be wider than their controls.
void TfrmMain::cmbFilterGeaendertDropDown()
{
    cmbFilterGeaendert->view()->setMinimumWidth(120);
}

void TfrmMain::cmbFilterTUEODropDown()
{
    cmbFilterTUEO->view()->setMinimumWidth(290);
}

void TfrmMain::cmbFilterZusatzDropDown()
{
    cmbFilterZusatz->view()->setMinimumWidth(300);
}

void TfrmMain::cmbFilterHerstellerDropDown()
{
    cmbFilterHersteller->view()->setMinimumWidth(400);
}

void TfrmMain::btnLoeschenClick()
{
    mnuAlleFilterloeschenClick();
}

void TfrmMain::mnuAlleFilterloeschenClick()
{
    cmbFilterKennblattNr->clearEditText();
    cmbFilterMarke->clearEditText();
    cmbFilterPulver->clearEditText();
    const std::pair<QComboBox *, QLineEdit *> lookups[] = {
        {cmbFilterHersteller, edtFilterHersteller},
        {cmbFilterZusatz, edtFilterZusatz},
        {cmbFilterTUEO, edtFilterTUEO}};
    for (const auto &[combo, edit] : lookups) {
        combo->setCurrentIndex(0);
        edit->clear();
    }
    cmbFilterGeaendert->setCurrentIndex(0);
    RebuildList(true);
}

void TfrmMain::drawLookupItem(QComboBox &control, QPainter &painter, const QRect &rect, int index,
                              bool selected, const QPalette &palette)
{
    const QColor background =
        selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base);
    const QColor text =
        selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text);
    const QString key = control.itemText(index);
    painter.save();
    painter.fillRect(rect, background);
    painter.setPen(text);
    painter.setClipRect(rect);
    painter.drawText(QRect(4, rect.top(), rect.right() - 3, rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, key);

    const LookupList &lookup = &control == cmbFilterTUEO     ? InfogeberLookup
                               : &control == cmbFilterZusatz ? ZusatzLookup
                                                             : HerstellerLookup;
    const QString name = Cp1252::toUnicode(lookup.NameOf(Cp1252::fromUnicode(key)));
    const QRect band(rect.left() + 35, rect.top(), rect.width() - 35, rect.height());
    painter.fillRect(band, selected ? QColor(0, 0, 255) : QColor(192, 192, 192));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
    painter.restore();
}

std::array<TfrmMain::FilterControl, 11> TfrmMain::filterControls() const
{
    // In placement order: each edit after its drop-down list, so that it lies on top.
    constexpr int Combo = 2;
    constexpr int Edit = 22;
    return {{{cmbFilterKennblattNr, 0, Combo, 8},
             {cmbFilterMarke, 1, Combo, 8},
             {cmbFilterPulver, 2, Combo, 8},
             {cmbFilterHersteller, 3, Combo, 8},
             {edtFilterHersteller, 3, Edit, 8},
             {cmbFilterZusatz, 4, Combo, 8},
             {edtFilterZusatz, 4, Edit, 8},
             {cmbFilterTUEO, 5, Combo, 8},
             {edtFilterTUEO, 5, Edit, 8},
             {cmbFilterGeaendert, 6, Combo, 8},
             {btnLoeschen, 7, FilterControl::KeepsWidth, 2}}};
}

void TfrmMain::placeFilterControls()
{
    for (const FilterControl &f : filterControls()) {
        f.control->setParent(hcFilter);
        f.control->setGeometry(hcFilter->sectionLeft(f.section), 1, f.control->width(),
                               hcFilter->height() - f.heightLoss);
        f.control->show();
    }
}
