#pragma once

#include "list/sortorder.h"

#include <QStringView>

#include <array>

// The captions of the list's columns as the column header shows them; the last column, under
// the filter-clear button, has none.
inline constexpr std::array<QStringView, ListColumnCount - 1> ListColumnCaptions = {
    u"Kennblatt-Nr.", u"Marke", u"Pulver", u"Herst./Lief.", u"Zusatz-Art", u"TÜO", u"Änderung",
};
