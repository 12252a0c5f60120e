#include "list/listexportcommands.h"

#include "list/currentlist.h"
#include "list/listexport.h"
#include "platform/dialogservice.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

ListExportCommands::ListExportCommands(DialogService &dialogs, const CurrentList &list,
                                       QWidget &owner, FileQuestion askFile)
    : QObject(nullptr)
    , m_dialogs(dialogs)
    , m_list(list)
    , m_askFile(std::move(askFile))
{
    if (!m_askFile) {
        m_askFile = [&owner](const QString &suggested) {
            QFileDialog dialog(&owner, u"Liste exportieren"_s, suggested,
                               u"CSV-Dateien (*.csv);;Alle Dateien (*)"_s);
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(u"csv"_s);
            return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
        };
    }
}

void ListExportCommands::mnuListeExportierenClick()
{
    QList<int> rows = m_list.markedRows();
    const int all = m_list.rowCount();
    // Some rows marked: the user says whether they are what to export.
    if (rows.isEmpty() || rows.size() == all ||
        !m_dialogs.confirm(
            u"Es sind %1 von %2 Kennblättern markiert. Sollen nur die markierten "
            u"exportiert werden?\n\nMit „Nein“ wird die ganze Liste exportiert."_s.arg(rows.size())
                .arg(all)))
        rows = ListExport::allRows(m_list);
    const QString path = m_askFile(QDir::home().filePath(u"Kennblätter.csv"_s));
    if (path.isEmpty())
        return;
    const QString error = ListExport::writeCsv(path, m_list, rows);
    if (!error.isEmpty())
        m_dialogs.error(error);
}

void ListExportCommands::copyMarkedRows()
{
    const QList<int> rows = m_list.markedRows();
    if (!rows.isEmpty())
        QGuiApplication::clipboard()->setText(ListExport::tabSeparated(m_list, rows));
}
