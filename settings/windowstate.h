#pragma once

#include <qnamespace.h>

class QComboBox;
class QHeaderView;
class QWidget;
class SettingsStore;

// Window state kept across runs in the settings file, in sections named after the control.
// Each operation takes an open settings file. None of them raises: an error ends the
// operation, which then returns false; what was written or applied before stays.

// "Bounds<name>": Left, Top, Width, Height of the window's outer frame.
bool ReadBounds(SettingsStore &file, QWidget &window);
bool WriteBounds(SettingsStore &file, const QWidget &window);

// "Columns_<name>": the width of section i under key i + 1. Read widths are held within the
// header's maximum and the section's own minimum, which a header may give as header data of
// the role SectionMinimumWidthRole (else the header's minimum applies); setting them emits no
// resize signal.
inline constexpr int SectionMinimumWidthRole = Qt::UserRole + 1;
bool ReadColumns(SettingsStore &file, QHeaderView &header);
bool WriteColumns(SettingsStore &file, const QHeaderView &header);

// "cmb_<name>": the edit text under "Text", the first ten drop-down items under "1" to "10";
// keys of items that no longer exist are removed.
bool WriteComboBox(SettingsStore &file, const QComboBox &combo);

// Selects a combo box item by a stored item number; a number outside the items (-1 included)
// leaves no item selected. Like every selection made in code, it raises no selection event.
void selectStoredItem(QComboBox &combo, qint32 index);
