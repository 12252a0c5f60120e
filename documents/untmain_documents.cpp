// The main window's commands that open PDF files.
#include "app/untmain.h"

#include "catalogue/tkennblatt.h"
#include "documents/pdffilename.h"
#include "list/kennblattlistmodel.h"
#include "list/kennblattlistview.h"
#include "platform/cp1252.h"
#include "platform/dialogservice.h"
#include "settings/programsettings.h"

#include <QFileInfo>
#include <QPushButton>

using namespace Qt::StringLiterals;

void TfrmMain::wireDocuments()
{
    connectHandler(btnAnzeigen, &QPushButton::clicked, &TfrmMain::btnAnzeigenClick);
}

void TfrmMain::btnAnzeigenClick()
{
    const QList<int> marked = lvKennblaetter->markedRows();
    if (marked.isEmpty())
        return;
    const QByteArray fileName =
        kennblattPdfFileName(m_model->kennblatt(marked.first()).nummerView());
    ShowPdfFile(joinPath(m_settings.PfadZuPDFDateien, fileName));
}

void TfrmMain::ShowPdfFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_dialogs.plain(u"Datei '"_s + path + u"' nicht vorhanden."_s);
        return;
    }
    // Showing the file in the document window comes with the PDF viewer.
}
