#pragma once

#include "list/filterdescription.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

class CurrentList;

// The parameters of the list report, worked out from the list as the main window shows it.

// "Sortiert nach …" for a sort order (+n ascending, -n descending, 0 as 1); nullopt for an
// order without a description (the caller says "Unbekannte Sortierung!").
std::optional<QString> SortDescription(qint32 SortOrder);

// What one run of the list report sets, in the order it sets it. An empty optional is a
// parameter the run leaves as an earlier run set it.
struct ListReportOrder
{
    std::optional<QString> Sortiert;
    QString Gefiltert;
    std::optional<QString> Filter;
    bool NurMarkierte = false;
    QString Norvenz;
    QString Fassung;

    bool operator==(const ListReportOrder &) const = default;
};

// Print kind 0 ("Aktuelle Liste") or 2 ("markierte Liste"); Edition and EditionLabel are
// the catalogue's (Windows-1252). Raises AppError "Unbekannte Druckart ausgewählt." for
// another kind.
ListReportOrder listReportOrder(int printKind, const CurrentList &list, const QByteArray &Edition,
                                const QByteArray &EditionLabel);
