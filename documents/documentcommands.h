#pragma once

#include "documents/referencedocuments.h"

#include <QByteArray>
#include <QObject>

#include <array>
#include <span>

class CurrentList;
class DialogService;
class QAction;
class QWidget;
class SettingsStore;
class TfrmPDFFenster;
struct ProgramSettings;

// The commands of the main window that open PDF files: the data sheet of the list's first
// marked row, the reference documents of the menu and the help file. All go through
// ShowPdfFile.
class DocumentCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentCommands)

public:
    // Files are looked for in the settings' PDF folder; `owner` owns the document window.
    DocumentCommands(DialogService &dialogs, const ProgramSettings &settings,
                     const CurrentList &list, QWidget &owner);

    // Start-up: the file names of the reference documents; the menu item of each one
    // without a name is disabled for good.
    void readReferenceDocumentNames(const SettingsStore &settings,
                                    std::span<QAction *const, ReferenceDocuments.size()> items);

    void ShowPdfFile(const QString &path);
    // The document window; none before the first file was shown.
    TfrmPDFFenster *frmPDFFenster() const { return m_frmPDFFenster; }

    // Event handlers.
    void btnAnzeigenClick();
    void mnuDeckblattClick();
    void mnuHerstellerLiefererClick();
    void mnuKennblattListeNachMarkeClick();
    void mnuKennblattListeNachHerstellerClick();
    void mnuKennblattlisteNachNummerClick();
    void mnuUebersetzungstabelleClick();
    void mnuPraegelisteClick();
    void mnuGruppeneinteilungStaehleClick();
    void mnuFerritischeStaehleClick();
    void mnuAustenitischeStaehleClick();
    void mnuHilfeClick();

    // The handlers of the reference documents in menu order.
    static constexpr std::array<void (DocumentCommands::*)(), ReferenceDocuments.size()>
        ReferenceDocumentHandlers = {
            &DocumentCommands::mnuDeckblattClick,
            &DocumentCommands::mnuHerstellerLiefererClick,
            &DocumentCommands::mnuKennblattListeNachMarkeClick,
            &DocumentCommands::mnuKennblattListeNachHerstellerClick,
            &DocumentCommands::mnuKennblattlisteNachNummerClick,
            &DocumentCommands::mnuUebersetzungstabelleClick,
            &DocumentCommands::mnuPraegelisteClick,
            &DocumentCommands::mnuGruppeneinteilungStaehleClick,
            &DocumentCommands::mnuFerritischeStaehleClick,
            &DocumentCommands::mnuAustenitischeStaehleClick,
        };

private:
    void showReferenceDocument(std::size_t index);

    DialogService &m_dialogs;
    const ProgramSettings &m_settings;
    const CurrentList &m_list;
    QWidget &m_owner;
    std::array<QByteArray, ReferenceDocuments.size()> m_referenceDocumentNames;
    TfrmPDFFenster *m_frmPDFFenster = nullptr; // owned by the main window
};
