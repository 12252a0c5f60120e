#pragma once

#include "catalogue/catalogueloader.h"
#include "list/filterstate.h"
#include "list/ownerdrawcombobox.h"

#include <QObject>

#include <array>

class DialogService;
class DropDownComboBox;
class FilterComboBox;
class FilterLineEdit;
class HeaderControl;
class QPushButton;
class RestrictionCue;
class SettingsStore;
struct LoadedCatalogue;

// The filter controls on the filter header: their placement and sizes, what each does on
// Enter, on being left, on a key or a choice, the history of the text filters, the owner
// drawing of the lookup drop-downs, and the filter choices kept in the settings file. The
// filter state is held in the controls themselves; where a handler applies the filters, the
// bar hands what they hold on with filtersCommitted().
class FilterBar final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FilterBar)

public:
    // Creates the controls on `client`; placeFilterControls() moves them onto the filter
    // header. The lookup lists give the names behind the keys of the drop-downs.
    FilterBar(DialogService &dialogs, QWidget &client, const LoadedCatalogue &lookups,
              QObject *parent = nullptr);

    FilterState filterState() const;
    // The sign right of the filter-clear button that a full-text restriction is in force.
    RestrictionCue &restrictionCue() const { return *btnVolltextfilter; }

    // Start-up: the drop-down items of a lookup filter, the saved change filter, the
    // placement on the filter header, the saved lookup choices.
    void addLookupItem(LookupTable table, const QByteArray &item);
    void restoreChangeFilter(const SettingsStore &settings);
    void placeFilterControls(HeaderControl &filterHeader);
    void restoreLookupChoices(const SettingsStore &settings);
    // Closing: the item numbers of the four drop-down lists, then the text filters' texts and
    // histories.
    void writeChoices(SettingsStore &settings) const;
    void writeHistories(SettingsStore &settings) const;

    // A section of the filter header took a new width: its controls take it, those of later
    // sections move along.
    void sectionResized(const HeaderControl &filterHeader, int section);

    // Event handlers.
    void cmbFilterKennblattNrExit(QComboBox *sender);
    void cmbFilterKennblattNrKeyPress(QComboBox *sender, int key);
    void cmbFilterGeaendertSelect();
    void edtFilterHerstellerKeyPress(int key);
    void cmbFilterGeaendertKeyPress();
    void cmbFilterHerstellerSelect();
    void cmbFilterZusatzSelect();
    void cmbFilterTUEOSelect();
    void cmbFilterGeaendertDropDown();
    void cmbFilterTUEODropDown();
    void cmbFilterZusatzDropDown();
    void cmbFilterHerstellerDropDown();
    void cmbFilterTUEODrawItem(QComboBox &control, QPainter &painter,
                               const OwnerDrawComboBox::DrawItem &item) const;
    void btnLoeschenClick();
    void mnuAlleFilterloeschenClick();

Q_SIGNALS:
    // The filters as the controls hold them now are to be applied to the list.
    void filtersCommitted(const FilterState &filters);
    // All filters were reset; filtersCommitted() follows.
    void filtersCleared();

private:
    // A control on the filter header: its section, how much narrower than the section and how
    // much lower than the header it is.
    struct Placement
    {
        static constexpr int KeepsWidth = -1;
        QWidget *control;
        int section;
        int widthLoss;
        int heightLoss;
    };
    std::array<Placement, 11> placements() const;
    void createControls(QWidget &client);
    void wire(DialogService &dialogs);
    void takeLookupChoice(QComboBox *combo, QLineEdit *edit);

    const LoadedCatalogue &m_lookups;

    FilterComboBox *cmbFilterKennblattNr = nullptr;
    FilterComboBox *cmbFilterMarke = nullptr;
    FilterComboBox *cmbFilterPulver = nullptr;
    OwnerDrawComboBox *cmbFilterHersteller = nullptr;
    FilterLineEdit *edtFilterHersteller = nullptr;
    OwnerDrawComboBox *cmbFilterZusatz = nullptr;
    FilterLineEdit *edtFilterZusatz = nullptr;
    OwnerDrawComboBox *cmbFilterTUEO = nullptr;
    FilterLineEdit *edtFilterTUEO = nullptr;
    DropDownComboBox *cmbFilterGeaendert = nullptr;
    QPushButton *btnLoeschen = nullptr;
    RestrictionCue *btnVolltextfilter = nullptr;
};
