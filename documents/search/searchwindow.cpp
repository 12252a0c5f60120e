#include "documents/search/searchwindow.h"
#include "ui_searchwindow.h"

#include "documents/search/excerptdelegate.h"
#include "documents/search/searchqueries.h"
#include "documents/search/searchresultmodel.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QLocale>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace {

constexpr int RefreshMs = 2000;
// Unreadable files named in the status line; the tool tip names all.
constexpr int NamedUnreadable = 3;

QString number(int value)
{
    return QLocale(QLocale::German).toString(value);
}

QString sheets(int count)
{
    return count == 1 ? u"1 Kennblatt"_s : number(count) + u" Kennblätter"_s;
}

} // namespace

SearchWindow::SearchWindow(SheetDirectory sheets, PDFViewCommands::TextExtraction extract,
                           const QString &indexPath, const QString &catalogue, QWidget *owner)
    // A dialog-type window belongs to its owner for the window manager: it stays above it.
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::SearchWindow>())
    , m_sheets(std::move(sheets))
    , m_indexPath(indexPath)
    , m_catalogue(catalogue)
    , m_model(new SearchResultModel(this))
    , m_queries(new SearchQueries(this))
{
    ui->setupUi(this);
    ui->tvTreffer->setModel(m_model);
    ui->tvTreffer->setItemDelegateForColumn(SearchResultModel::Auszug, new ExcerptDelegate(this));
    ui->tvTreffer->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    const QList<int> widths = {90, 170, 170, 60};
    for (int column = 0; column < widths.size(); ++column)
        ui->tvTreffer->setColumnWidth(column, widths[column]);
    m_queries->setIndexPath(m_indexPath);
    m_typing.setSingleShot(true);
    m_typing.setInterval(TypingPauseMs);
    m_refresh.setInterval(RefreshMs);

    connect(ui->edtSuche, &QLineEdit::textEdited, &m_typing, qOverload<>(&QTimer::start));
    connect(ui->edtSuche, &QLineEdit::returnPressed, this, &SearchWindow::searchNow);
    connect(&m_typing, &QTimer::timeout, this, &SearchWindow::searchNow);
    connect(&m_refresh, &QTimer::timeout, this, [this] {
        if (!ui->tvTreffer->selectionModel()->hasSelection())
            searchNow();
    });
    connect(m_queries, &SearchQueries::searched, this, &SearchWindow::showResults);
    connect(m_queries, &SearchQueries::placesFound, this, &SearchWindow::openWithPlaces);
    connect(ui->tvTreffer, &QTableView::activated, this, &SearchWindow::openRow);
    connect(ui->btnFilter, &QPushButton::clicked, this, &SearchWindow::takeAsFilter);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    if (extract == nullptr) {
        ui->edtSuche->setEnabled(false);
        m_indexText = u"Die Volltextsuche ist nicht verfügbar: die PDF-Engine fehlt."_s;
    } else {
        m_indexer = new SearchIndexer(extract, this);
        connect(m_indexer, &SearchIndexer::indexOpened, this, [this] {
            m_indexOpened = true;
            searchNow();
        });
        connect(m_indexer, &SearchIndexer::progressChanged, this, &SearchWindow::indexProgress);
        connect(m_indexer, &SearchIndexer::finished, this, &SearchWindow::indexDone);
        startIndexing(false);
    }
    showStatus();
}

SearchWindow::~SearchWindow() = default;

bool SearchWindow::isIndexing() const
{
    return m_indexer != nullptr && m_indexer->isRunning();
}

QString SearchWindow::statusText() const
{
    return ui->lblStatus->text();
}

void SearchWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The first showing follows the build the constructor began; each later one looks for
    // sheets changed meanwhile, which costs little when none did.
    if (m_shownBefore && m_indexer != nullptr && !m_indexer->isRunning())
        startIndexing(false);
    m_shownBefore = true;
}

void SearchWindow::startIndexing(bool renew)
{
    m_indexText = u"Der Suchindex wird geprüft …"_s;
    m_indexer->start(m_indexPath, m_catalogue, m_sheets.files(), renew);
    m_refresh.start();
}

void SearchWindow::searchNow()
{
    m_typing.stop();
    if (m_indexOpened || ui->edtSuche->text().trimmed().isEmpty())
        m_queries->search(ui->edtSuche->text());
}

void SearchWindow::showResults(const QString &input, const QList<IndexHit> &hits,
                               const QString &error, bool damaged)
{
    if (damaged && m_indexer != nullptr) {
        m_indexOpened = false;
        m_model->setHits({}, m_sheets);
        m_resultText = u"Der Suchindex ist beschädigt und wird neu aufgebaut."_s;
        startIndexing(true);
        showStatus();
        return;
    }
    m_shownInput = input;
    m_model->setHits(hits, m_sheets);
    ui->btnFilter->setEnabled(!m_listHeld && m_model->rowCount() > 0);
    if (!error.isEmpty())
        m_resultText = u"Die Suche ist fehlgeschlagen: "_s + error;
    else if (input.trimmed().isEmpty())
        m_resultText.clear();
    else
        m_resultText = m_model->rowCount() == 0 ? u"Nichts gefunden"_s
                                                : sheets(m_model->rowCount()) + u" gefunden"_s;
    showStatus();
}

void SearchWindow::openRow(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const SearchResultModel::Row &row = m_model->row(index.row());
    m_openFile = row.file;
    m_openPage = row.page;
    m_queries->findPlaces(row.file, m_shownInput);
}

void SearchWindow::openWithPlaces(const QString &file, const QStringList &places)
{
    if (file != m_openFile)
        return;
    m_openFile.clear();
    if (const SheetDirectory::Sheet *sheet = m_sheets.find(file))
        Q_EMIT hitOpenRequested(sheet->path, m_openPage, places);
}

void SearchWindow::setListHeld(bool held)
{
    m_listHeld = held;
    ui->btnFilter->setEnabled(!held && m_model->rowCount() > 0);
}

void SearchWindow::takeAsFilter()
{
    if (m_model->rowCount() == 0)
        return;
    Q_EMIT restrictionRequested(
        {u"Volltextfilter '%1'"_s.arg(m_shownInput.simplified()), m_model->records()});
}

void SearchWindow::indexProgress(int done, int total)
{
    ui->pbIndex->setVisible(true);
    ui->pbIndex->setRange(0, std::max(total, 1));
    ui->pbIndex->setValue(done);
    m_indexText =
        u"Der Suchindex wird aufgebaut: %1 von %2 gelesen"_s.arg(number(done), sheets(total));
    showStatus();
}

void SearchWindow::indexDone(const IndexSummary &summary)
{
    m_refresh.stop();
    ui->pbIndex->setVisible(false);
    if (!summary.error.isEmpty()) {
        m_indexText = u"Der Suchindex kann nicht angelegt werden: "_s + summary.error;
        ui->lblStatus->setToolTip(QString());
    } else {
        const int indexed = summary.files - int(summary.unreadable.size());
        m_indexText = u"Im Index: "_s + sheets(indexed);
        if (!summary.unreadable.isEmpty()) {
            const QStringList named = summary.unreadable.mid(0, NamedUnreadable);
            m_indexText += u"; nicht lesbar: "_s + named.join(u", "_s);
            if (summary.unreadable.size() > named.size())
                m_indexText += u" und %1 weitere"_s.arg(summary.unreadable.size() - named.size());
        }
        ui->lblStatus->setToolTip(summary.unreadable.isEmpty()
                                      ? QString()
                                      : u"Nicht lesbar:\n"_s + summary.unreadable.join(u'\n'));
    }
    showStatus();
    if (!summary.cancelled)
        searchNow();
    Q_EMIT indexFinished(summary);
}

void SearchWindow::showStatus()
{
    QStringList parts;
    if (!m_resultText.isEmpty())
        parts.append(m_resultText);
    if (!m_indexText.isEmpty())
        parts.append(m_indexText);
    ui->lblStatus->setText(parts.join(u" · "_s));
}
