#pragma once

#include "list/recordrestriction.h"
#include "search/searchfailure.h"
#include "search/searchindexer.h"
#include "search/sheetdirectory.h"

#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class SearchQueries;
class SearchResultModel;
struct Places;
struct SearchAnswer;
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
    // Waits this long after a key before searching: long enough to pass over a key pressed
    // right after, short enough not to be felt. A search still running when the next begins
    // is stopped.
    static constexpr int TypingPauseMs = 40;

    // Searches the index at `indexPath` for the sheets of `sheets` and has their texts read
    // as `reading` says (none: no engine, so no search).
    SearchWindow(SheetDirectory sheets, std::optional<TextReading> reading,
                 const QString &indexPath, const QString &catalogue, QWidget *owner = nullptr);
    ~SearchWindow() override;

    const SearchResultModel &results() const { return *m_model; }
    // While the main list must stay as it is (a batch print walks it), results cannot become
    // the list filter.
    void setListHeld(bool held);
    bool isIndexing() const;
    QString statusText() const;
    QString statusToolTip() const;

Q_SIGNALS:
    // A result was chosen: show the file at the page (from 0) with these places marked.
    void hitOpenRequested(const QString &path, int page, const QStringList &places);
    void restrictionRequested(const RecordRestriction &restriction);
    // The index is up to date (or could not be made); the search has run again.
    void indexFinished(const IndexSummary &summary);
    // The rows found for this input are in the table (it paints them next).
    void resultsShown(const QString &input);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void startIndexing(bool renew);
    void searchNow();
    int rowsOnScreen() const;
    void showResults(const SearchAnswer &answer);
    void askHitInfo();
    void openRow(const QModelIndex &index);
    void openAt(const Places &places);
    void takeAsFilter();
    void indexProgress(int done, int total);
    void indexDone(const IndexSummary &summary);
    void showStatus();

    std::unique_ptr<Ui::SearchWindow> ui;
    std::shared_ptr<const SheetDirectory> m_sheets;
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
    // The status line's two parts, the search's result and the index's state, each with the
    // detail its tool tip adds.
    struct Status
    {
        QString text;
        QString tip;
    };
    Status m_resultStatus;
    Status m_indexStatus;
    qint64 m_openId = -1; // waiting for its places
};
