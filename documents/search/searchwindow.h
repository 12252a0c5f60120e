#pragma once

#include "documents/pdfviewcommands.h"
#include "documents/search/searchindexer.h"
#include "documents/search/sheetdirectory.h"
#include "list/recordrestriction.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class SearchQueries;
class SearchResultModel;
struct IndexHit;
namespace Ui {
class SearchWindow;
}

// The window "Volltextsuche in Kennblättern": a search line searched as the user types, the
// data sheets found with their hits, the state of the index (which it keeps up to date in
// the background from the moment it is made), and the two ways on: opening a sheet at its
// first hit, and narrowing the main list to the sheets found.
class SearchWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchWindow)

public:
    // Waits this long after a key before searching.
    static constexpr int TypingPauseMs = 250;

    // Searches the index at `indexPath` for the sheets of `sheets` and reads their texts with
    // the engine's `extract` (null: no engine, so no search).
    SearchWindow(SheetDirectory sheets, PDFViewCommands::TextExtraction extract,
                 const QString &indexPath, const QString &catalogue, QWidget *owner = nullptr);
    ~SearchWindow() override;

    const SearchResultModel &results() const { return *m_model; }
    // While the main list must stay as it is (a batch print walks it), results cannot become
    // the list filter.
    void setListHeld(bool held);
    bool isIndexing() const;
    QString statusText() const;

Q_SIGNALS:
    // A result was chosen: show the file at the page (from 0) with these places marked.
    void hitOpenRequested(const QString &path, int page, const QStringList &places);
    void restrictionRequested(const RecordRestriction &restriction);
    // The index is up to date (or could not be made); the search has run again.
    void indexFinished(const IndexSummary &summary);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void startIndexing(bool renew);
    void searchNow();
    void showResults(const QString &input, const QList<IndexHit> &hits, const QString &error,
                     bool damaged);
    void openRow(const QModelIndex &index);
    void openWithPlaces(const QString &file, const QStringList &places);
    void takeAsFilter();
    void indexProgress(int done, int total);
    void indexDone(const IndexSummary &summary);
    void showStatus();

    std::unique_ptr<Ui::SearchWindow> ui;
    SheetDirectory m_sheets;
    const QString m_indexPath;
    const QString m_catalogue;
    SearchResultModel *m_model;
    SearchQueries *m_queries;
    SearchIndexer *m_indexer = nullptr;
    QTimer m_typing;
    QTimer m_refresh; // searches again now and then while the index grows
    bool m_indexOpened = false;
    bool m_listHeld = false;
    bool m_shownBefore = false;
    QString m_shownInput;
    QString m_resultText;
    QString m_indexText;
    QString m_openFile; // waiting for its places
    int m_openPage = 0;
};
