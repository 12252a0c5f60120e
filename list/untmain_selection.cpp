// The main window's marking of list rows and opening a data sheet from the list.
#include "app/untmain.h"

#include "list/kennblattlistview.h"

#include <QItemSelectionModel>
#include <QLabel>

using namespace Qt::StringLiterals;

void TfrmMain::wireSelection()
{
    connectHandler(lvKennblaetter->selectionModel(), &QItemSelectionModel::selectionChanged,
                   &TfrmMain::lvKennblaetterSelectItem);
    connect(lvKennblaetter, &KennblattListView::enterPressed, this,
            [this] { guarded([this] { lvKennblaetterKeyPress(Qt::Key_Return); }); });
}

void TfrmMain::lvKennblaetterSelectItem()
{
    const qsizetype marked = lvKennblaetter->selectionModel()->selectedRows().size();
    setStatusText(marked == 1 ? u"1 Kennblatt markiert"_s
                              : QString::number(marked) + u" Kennblätter markiert"_s);
}

void TfrmMain::lvKennblaetterDblClick()
{
    btnAnzeigenClick();
}

void TfrmMain::lvKennblaetterKeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        btnAnzeigenClick();
}
