#include "documents/documentcommands.h"

#include "catalogue/pdffilename.h"
#include "catalogue/tkennblatt.h"
#include "documents/untpdffenster.h"
#include "list/currentlist.h"
#include "platform/dialogservice.h"
#include "settings/programsettings.h"
#include "settings/settingsstore.h"

#include <QAction>
#include <QFileInfo>

using namespace Qt::StringLiterals;

DocumentCommands::DocumentCommands(DialogService &dialogs, const ProgramSettings &settings,
                                   const CurrentList &list, QWidget &owner)
    : QObject(nullptr)
    , m_dialogs(dialogs)
    , m_settings(settings)
    , m_list(list)
    , m_owner(owner)
{
}

void DocumentCommands::readReferenceDocumentNames(
    const SettingsStore &settings, std::span<QAction *const, ReferenceDocuments.size()> items)
{
    for (std::size_t i = 0; i < ReferenceDocuments.size(); ++i) {
        m_referenceDocumentNames[i] =
            settings.readString(SettingsKeys::Einstellungen, ReferenceDocuments[i].settingsKey, {});
        if (m_referenceDocumentNames[i].isEmpty())
            items[i]->setEnabled(false);
    }
}

void DocumentCommands::ShowPdfFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_dialogs.plain(u"Datei '"_s + path + u"' nicht vorhanden."_s);
        return;
    }
    if (!m_frmPDFFenster)
        m_frmPDFFenster = new TfrmPDFFenster(&m_owner);
    if (m_frmPDFFenster->isHidden())
        m_frmPDFFenster->show();
    m_frmPDFFenster->LoadDocument(path);
}

void DocumentCommands::btnAnzeigenClick()
{
    const QList<int> marked = m_list.markedRows();
    if (marked.isEmpty())
        return;
    const QByteArray fileName = kennblattPdfFileName(m_list.kennblatt(marked.first()).nummerView());
    ShowPdfFile(joinPath(m_settings.PfadZuPDFDateien, fileName));
}

void DocumentCommands::showReferenceDocument(std::size_t index)
{
    ShowPdfFile(joinPath(m_settings.PfadZuPDFDateien, m_referenceDocumentNames[index]));
}

void DocumentCommands::mnuDeckblattClick()
{
    showReferenceDocument(0);
}

void DocumentCommands::mnuHerstellerLiefererClick()
{
    showReferenceDocument(1);
}

void DocumentCommands::mnuKennblattListeNachMarkeClick()
{
    showReferenceDocument(2);
}

void DocumentCommands::mnuKennblattListeNachHerstellerClick()
{
    showReferenceDocument(3);
}

void DocumentCommands::mnuKennblattlisteNachNummerClick()
{
    showReferenceDocument(4);
}

void DocumentCommands::mnuUebersetzungstabelleClick()
{
    showReferenceDocument(5);
}

void DocumentCommands::mnuPraegelisteClick()
{
    showReferenceDocument(6);
}

void DocumentCommands::mnuGruppeneinteilungStaehleClick()
{
    showReferenceDocument(7);
}

void DocumentCommands::mnuFerritischeStaehleClick()
{
    showReferenceDocument(8);
}

void DocumentCommands::mnuAustenitischeStaehleClick()
{
    showReferenceDocument(9);
}

void DocumentCommands::mnuHilfeClick()
{
    ShowPdfFile(joinPath(m_settings.PfadZuPDFDateien, "Hilfe.pdf"));
}
