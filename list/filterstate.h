#pragma once

#include <QByteArray>

#include <array>

// What the filter controls hold: the six filter texts (untrimmed, in the order number,
// Marke, Pulvermarke, manufacturer, consumable kind, organisation) and the item index of
// the change filter (0 all, 1 changed, 2 unchanged, -1 none chosen).
struct FilterState
{
    std::array<QByteArray, 6> texts;
    qint32 changeFilterIndex = 0;

    bool operator==(const FilterState &) const = default;
    // Any text non-blank, or a change filter other than "Alle".
    bool anyFilterSet() const;
    // 0 any, 2 changed, 1 unchanged.
    quint8 wantedChangeFlag() const;
};
