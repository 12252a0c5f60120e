#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

// The ten reference documents of the menu "&Kennblatt Pilvo", in menu order: the settings
// key that names each file, the menu item and its caption.
struct ReferenceDocument
{
    QByteArrayView settingsKey;
    QString menuItem;
    QString caption;
};

const std::array<ReferenceDocument, 10> &referenceDocuments();
