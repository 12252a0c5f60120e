#pragma once

#include "list/recordrestriction.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class DialogService;
class DocumentCommands;
class SearchWindow;
class TKennblattListe;
class TPDFView;
struct LoadedCatalogue;
struct ProgramSettings;

// The main window's full-text search: the menu command that opens the search window (made
// on first use, then kept), and showing a result in the document window.
class SearchCommands final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchCommands)

public:
    // The reader program of the index build; empty: kb-textreader beside the executable.
    static QString TextReaderProgram;

    // The index lives in `cacheFolder` (empty: the user's cache folder).
    SearchCommands(DialogService &dialogs, const TKennblattListe &catalogue,
                   const LoadedCatalogue &lookups, const ProgramSettings &settings,
                   DocumentCommands &documents, QWidget &owner, QString cacheFolder = {});
    // The window goes first: a build of the index running in it ends with it.
    ~SearchCommands() override;

    void mnuVolltextsucheClick();
    SearchWindow *window() const;
    // While a batch print walks the main list, results cannot become the list filter.
    void setListHeld(bool held);

    // The index file of a catalogue: its PDF folder and database name it.
    static QString indexPath(const QString &cacheFolder, const QString &catalogue);
    static QString catalogueName(const ProgramSettings &settings);

Q_SIGNALS:
    void restrictionRequested(const RecordRestriction &restriction);

private:
    void showHit(const QString &path, int page, const QStringList &places);

    DialogService &m_dialogs;
    const TKennblattListe &m_catalogue;
    const LoadedCatalogue &m_lookups;
    const ProgramSettings &m_settings;
    DocumentCommands &m_documents;
    QWidget &m_owner;
    const QString m_cacheFolder;
    QPointer<SearchWindow> m_window;
    bool m_listHeld = false;
};

// Shows the loaded document at a page (from 0) with the places marked, through the engine's
// own commands. Answers how many places the engine marked.
qint32 showHitInView(TPDFView &view, int page, const QStringList &places);
