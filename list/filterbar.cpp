#include "list/filterbar.h"

#include "catalogue/loadedcatalogue.h"
#include "list/filtercontrols.h"
#include "list/filterhistory.h"
#include "list/headercontrol.h"
#include "list/restrictioncue.h"
#include "platform/cp1252.h"
#include "platform/designfont.h"
#include "platform/guardedconnect.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "settings/windowstate.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPushButton>

using namespace Qt::StringLiterals;
namespace Keys = SettingsKeys;

namespace {

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

template<typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

FilterBar::FilterBar(DialogService &dialogs, QWidget &client, const LoadedCatalogue &lookups,
                     QObject *parent)
    : QObject(parent)
    , m_lookups(lookups)
{
    createControls(client);
    wire(dialogs);
}

void FilterBar::createControls(QWidget &client)
{
    // Created on the client area; the placement at start moves them onto the filter header.
    const QFont filterFont = designFont(u"Verdana"_s, 9);
    const auto textFilter = [&](const QString &name) {
        auto *combo = named(new FilterComboBox(&client), name);
        combo->setFont(filterFont);
        return combo;
    };
    cmbFilterKennblattNr = textFilter(u"cmbFilterKennblattNr"_s);
    cmbFilterMarke = textFilter(u"cmbFilterMarke"_s);
    cmbFilterPulver = textFilter(u"cmbFilterPulver"_s);

    const auto lookupFilter = [&](const QString &name, int visibleItems) {
        auto *combo = named(new OwnerDrawComboBox(12, &client), name);
        combo->setFont(filterFont);
        combo->setFocusPolicy(Qt::ClickFocus); // Tab passes them by
        combo->setMaxVisibleItems(visibleItems);
        combo->setDrawFunction(
            [this](QComboBox &control, QPainter &painter, const OwnerDrawComboBox::DrawItem &item) {
                cmbFilterTUEODrawItem(control, painter, item);
            });
        return combo;
    };
    const auto lookupEdit = [&](const QString &name) {
        return named(new FilterLineEdit(&client), name);
    };
    cmbFilterHersteller = lookupFilter(u"cmbFilterHersteller"_s, 8);
    edtFilterHersteller = lookupEdit(u"edtFilterHersteller"_s);
    cmbFilterZusatz = lookupFilter(u"cmbFilterZusatz"_s, 8);
    edtFilterZusatz = lookupEdit(u"edtFilterZusatz"_s);
    cmbFilterTUEO = lookupFilter(u"cmbFilterTUEO"_s, 18);
    edtFilterTUEO = lookupEdit(u"edtFilterTUEO"_s);

    cmbFilterGeaendert = named(new DropDownComboBox(&client), u"cmbFilterGeaendert"_s);
    cmbFilterGeaendert->setFont(filterFont);
    cmbFilterGeaendert->addItems({u"Alle"_s, u"Geänderte"_s, u"Nicht geänderte"_s});

    btnLoeschen = named(new QPushButton(u"Filter &löschen"_s, &client), u"btnLoeschen"_s);
    btnLoeschen->setFont(filterFont);
    btnLoeschen->resize(73, btnLoeschen->height());
    btnVolltextfilter = named(new RestrictionCue(&client), u"btnVolltextfilter"_s);
    btnVolltextfilter->setFont(filterFont);
    // Shown once placed on the filter header; a start that stops before leaves them hidden.
    for (const Placement &p : placements())
        p.control->hide();
}

void FilterBar::wire(DialogService &dialogs)
{
    for (FilterComboBox *combo : {cmbFilterKennblattNr, cmbFilterMarke, cmbFilterPulver}) {
        connectGuarded(dialogs, combo, &FilterComboBox::enterPressed, this,
                       [this, combo] { cmbFilterKennblattNrKeyPress(combo, Qt::Key_Return); });
        connectGuarded(dialogs, combo, &FilterComboBox::focusLeft, this,
                       [this, combo] { cmbFilterKennblattNrExit(combo); });
    }
    for (FilterLineEdit *edit : {edtFilterHersteller, edtFilterZusatz, edtFilterTUEO}) {
        connectGuarded(dialogs, edit, &FilterLineEdit::enterPressed, this,
                       [this] { edtFilterHerstellerKeyPress(Qt::Key_Return); });
        connectGuarded(dialogs, edit, &FilterLineEdit::focusLeft, this,
                       &FilterBar::cmbFilterGeaendertSelect);
    }
    connectGuarded(dialogs, cmbFilterTUEO, &DropDownComboBox::focusLeft, this,
                   &FilterBar::cmbFilterGeaendertSelect);
    const std::array<DropDownComboBox *, 4> dropDownLists = {cmbFilterHersteller, cmbFilterZusatz,
                                                             cmbFilterTUEO, cmbFilterGeaendert};
    for (DropDownComboBox *list : dropDownLists) {
        connectGuarded(dialogs, list, &DropDownComboBox::keyTyped, this,
                       &FilterBar::cmbFilterGeaendertKeyPress);
    }
    const auto onChoice = [&](QComboBox *combo, void (FilterBar::*handler)()) {
        connectGuarded(dialogs, combo, &QComboBox::activated, this, handler);
    };
    onChoice(cmbFilterGeaendert, &FilterBar::cmbFilterGeaendertSelect);
    onChoice(cmbFilterHersteller, &FilterBar::cmbFilterHerstellerSelect);
    onChoice(cmbFilterZusatz, &FilterBar::cmbFilterZusatzSelect);
    onChoice(cmbFilterTUEO, &FilterBar::cmbFilterTUEOSelect);
    const auto onDropDown = [&](DropDownComboBox *list, void (FilterBar::*handler)()) {
        connectGuarded(dialogs, list, &DropDownComboBox::droppedDown, this, handler);
    };
    onDropDown(cmbFilterGeaendert, &FilterBar::cmbFilterGeaendertDropDown);
    onDropDown(cmbFilterTUEO, &FilterBar::cmbFilterTUEODropDown);
    onDropDown(cmbFilterZusatz, &FilterBar::cmbFilterZusatzDropDown);
    onDropDown(cmbFilterHersteller, &FilterBar::cmbFilterHerstellerDropDown);
    connectGuarded(dialogs, btnLoeschen, &QPushButton::clicked, this, &FilterBar::btnLoeschenClick);
}

FilterState FilterBar::filterState() const
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

void FilterBar::addLookupItem(LookupTable table, const QByteArray &item)
{
    QComboBox *combo = table == LookupTable::Infogeber ? cmbFilterTUEO
                       : table == LookupTable::Zusatz  ? cmbFilterZusatz
                                                       : cmbFilterHersteller;
    combo->addItem(Cp1252::toUnicode(item));
}

void FilterBar::restoreChangeFilter(const SettingsStore &settings)
{
    selectStoredItem(*cmbFilterGeaendert, settings.readInteger(Keys::View, Keys::Aenderungsfilter,
                                                               Keys::ViewItemDefault));
}

void FilterBar::restoreLookupChoices(const SettingsStore &settings)
{
    // Preselected only: the lookup edits stay empty, so only the change filter takes part.
    const auto restore = [&](QComboBox *combo, QByteArrayView key) {
        selectStoredItem(*combo, settings.readInteger(Keys::View, key, Keys::ViewItemDefault));
    };
    restore(cmbFilterTUEO, Keys::TUEOfilter);
    restore(cmbFilterGeaendert, Keys::Aenderungsfilter);
    restore(cmbFilterZusatz, Keys::Zusatzfilter);
    restore(cmbFilterHersteller, Keys::Herstellerfilter);
}

void FilterBar::writeChoices(SettingsStore &settings) const
{
    settings.writeInteger(Keys::View, Keys::Aenderungsfilter, cmbFilterGeaendert->currentIndex());
    settings.writeInteger(Keys::View, Keys::Zusatzfilter, cmbFilterZusatz->currentIndex());
    settings.writeInteger(Keys::View, Keys::Herstellerfilter, cmbFilterHersteller->currentIndex());
    settings.writeInteger(Keys::View, Keys::TUEOfilter, cmbFilterTUEO->currentIndex());
}

void FilterBar::writeHistories(SettingsStore &settings) const
{
    WriteComboBox(settings, *cmbFilterKennblattNr);
    WriteComboBox(settings, *cmbFilterMarke);
    WriteComboBox(settings, *cmbFilterPulver);
}

std::array<FilterBar::Placement, 11> FilterBar::placements() const
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
             {btnLoeschen, 7, Placement::KeepsWidth, 2}}};
}

void FilterBar::placeFilterControls(HeaderControl &filterHeader)
{
    for (const Placement &p : placements()) {
        p.control->setParent(&filterHeader);
        p.control->setGeometry(filterHeader.sectionLeft(p.section), 1, p.control->width(),
                               filterHeader.height() - p.heightLoss);
        p.control->show();
    }
    // Right of the last section, as high as the filter-clear button; shown when needed.
    const int cueLeft = filterHeader.sectionLeft(filterHeader.count());
    btnVolltextfilter->setParent(&filterHeader);
    btnVolltextfilter->setGeometry(cueLeft, 1, 0, filterHeader.height() - 2);
    btnVolltextfilter->place(cueLeft);
}

void FilterBar::sectionResized(const HeaderControl &filterHeader, int section)
{
    const int width = filterHeader.sectionSize(section);
    for (const Placement &p : placements()) {
        if (p.section == section && p.widthLoss != Placement::KeepsWidth)
            p.control->resize(width - p.widthLoss, p.control->height());
        else if (p.section > section)
            p.control->move(filterHeader.sectionLeft(p.section), p.control->y());
    }
    btnVolltextfilter->place(filterHeader.sectionLeft(filterHeader.count()));
}

void FilterBar::cmbFilterKennblattNrExit(QComboBox *sender)
{
    AddToHistory(*sender);
    Q_EMIT filtersCommitted(filterState());
}

void FilterBar::cmbFilterKennblattNrKeyPress(QComboBox *sender, int key)
{
    if (isEnter(key))
        cmbFilterKennblattNrExit(sender);
}

void FilterBar::cmbFilterGeaendertSelect()
{
    Q_EMIT filtersCommitted(filterState());
}

void FilterBar::edtFilterHerstellerKeyPress(int key)
{
    if (isEnter(key))
        Q_EMIT filtersCommitted(filterState());
}

void FilterBar::cmbFilterGeaendertKeyPress()
{
    Q_EMIT filtersCommitted(filterState());
}

void FilterBar::takeLookupChoice(QComboBox *combo, QLineEdit *edit)
{
    edit->setText(combo->currentText());
    edit->setFocus();
    Q_EMIT filtersCommitted(filterState());
}

void FilterBar::cmbFilterHerstellerSelect()
{
    takeLookupChoice(cmbFilterHersteller, edtFilterHersteller);
}

void FilterBar::cmbFilterZusatzSelect()
{
    takeLookupChoice(cmbFilterZusatz, edtFilterZusatz);
}

void FilterBar::cmbFilterTUEOSelect()
{
    takeLookupChoice(cmbFilterTUEO, edtFilterTUEO);
}

// The drop-down lists may be wider than their controls.
void FilterBar::cmbFilterGeaendertDropDown()
{
    cmbFilterGeaendert->view()->setMinimumWidth(120);
}

void FilterBar::cmbFilterTUEODropDown()
{
    cmbFilterTUEO->view()->setMinimumWidth(290);
}

void FilterBar::cmbFilterZusatzDropDown()
{
    cmbFilterZusatz->view()->setMinimumWidth(300);
}

void FilterBar::cmbFilterHerstellerDropDown()
{
    cmbFilterHersteller->view()->setMinimumWidth(400);
}

void FilterBar::btnLoeschenClick()
{
    mnuAlleFilterloeschenClick();
}

void FilterBar::mnuAlleFilterloeschenClick()
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
    Q_EMIT filtersCleared();
    Q_EMIT filtersCommitted(filterState());
}

void FilterBar::cmbFilterTUEODrawItem(QComboBox &control, QPainter &painter,
                                      const OwnerDrawComboBox::DrawItem &item) const
{
    const QRect &rect = item.rect;
    const QPalette &palette = item.palette;
    const QColor background =
        item.selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base);
    const QColor text =
        item.selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text);
    const QString key = control.itemText(item.index);
    painter.save();
    painter.fillRect(rect, background);
    painter.setPen(text);
    painter.setClipRect(rect);
    painter.drawText(QRect(4, rect.top(), rect.right() - 3, rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, key);

    const LookupList &lookup = &control == cmbFilterTUEO     ? m_lookups.InfogeberLookup
                               : &control == cmbFilterZusatz ? m_lookups.ZusatzLookup
                                                             : m_lookups.HerstellerLookup;
    const QString name = Cp1252::toUnicode(lookup.NameOf(Cp1252::fromUnicode(key)));
    const QRect band(rect.left() + 35, rect.top(), rect.width() - 35, rect.height());
    painter.fillRect(band, item.selected ? QColor(0, 0, 255) : QColor(192, 192, 192));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
    painter.restore();
}
