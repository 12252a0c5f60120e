#include "list/filterstate.h"

#include "platform/textrules.h"

#include <algorithm>

bool FilterState::anyFilterSet() const
{
    return changeFilterIndex != 0 ||
           std::any_of(texts.begin(), texts.end(),
                       [](const QByteArray &t) { return !TextRules::trimmed(t).isEmpty(); });
}

quint8 FilterState::wantedChangeFlag() const
{
    switch (changeFilterIndex) {
    case 1:
        return 2;
    case 2:
        return 1;
    default:
        return 0;
    }
}
