#pragma once

class HeaderControl;
class ProfileFile;
class QComboBox;
class QHeaderView;
class QWidget;

// Window state kept across runs in the settings file, in sections named after the control.
// Each operation takes an open settings file, or none to open the program's own file for the
// call. None of them raises: an error ends the operation, which then returns false; what was
// written or applied before stays.

// "Bounds<name>": Left, Top, Width, Height of the window's outer frame.
bool ReadBounds(ProfileFile *file, QWidget &window);
bool WriteBounds(ProfileFile *file, const QWidget &window);

// "Columns_<name>": the width of section i under key i + 1, held within the section's limits.
bool ReadColumns(ProfileFile *file, HeaderControl &header);
bool WriteColumns(ProfileFile *file, const QHeaderView &header);

// "cmb_<name>": the edit text under "Text", the first ten drop-down items under "1" to "10";
// keys of items that no longer exist are removed.
bool WriteComboBox(ProfileFile *file, const QComboBox &combo);
