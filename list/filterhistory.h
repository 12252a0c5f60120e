#pragma once

class QComboBox;

// Records the text of a free-text filter at the top of its drop-down list, removing older
// entries that differ from it only in ASCII letter case. The typed text stays as it is.
void AddToHistory(QComboBox &combo);
