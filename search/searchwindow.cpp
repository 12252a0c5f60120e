#include "search/searchwindow.h"
#include "ui_searchwindow.h"

#include "list/sheetcount.h"
#include "search/excerptdelegate.h"
#include "search/searchqueries.h"
#include "search/searchresultmodel.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QScrollBar>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace {

constexpr int RefreshMs = 2000;
// Files named in the status line; the tool tip names all.
constexpr int NamedFiles = 3;

// "a.pdf, b.pdf, c.pdf und 2 weitere"
QString someNames(const QStringList &names)
{
    QString text = names.mid(0, NamedFiles).join(u", "_s);
    if (names.size() > NamedFiles)
        text += u" und %1 weitere"_s.arg(names.size() - NamedFiles);
    return text;
}

} // namespace

SearchWindow::SearchWindow(SheetDirectory sheets, std::optional<TextReading> reading,
                           const QString &indexPath, const QString &catalogue, QWidget *owner)
    // A dialog-type window belongs to its owner for the window manager: it stays above it.
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::SearchWindow>())
    , m_sheets(std::make_shared<const SheetDirectory>(std::move(sheets)))
    , m_indexPath(indexPath)
    , m_catalogue(catalogue)
    , m_model(new SearchResultModel(this))
    , m_queries(new SearchQueries(m_sheets, this))
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
    connect(m_model, &SearchResultModel::hitInfoWanted, this, &SearchWindow::askHitInfo);
    connect(m_queries, &SearchQueries::hitInfoFound, this,
            [this](int generation, const QHash<qint64, HitInfo> &hitInfo,
                   const SearchFailure &failure) {
                m_model->addHitInfo(generation, hitInfo);
                if (!failure.isNull()) {
                    m_resultStatus = {u"Die Suche ist fehlgeschlagen: "_s + failure.text,
                                      failure.detail};
                    showStatus();
                }
            });
    connect(m_queries, &SearchQueries::placesFound, this, &SearchWindow::openAt);
    connect(ui->tvTreffer, &QTableView::activated, this, &SearchWindow::openRow);
    connect(ui->btnFilter, &QPushButton::clicked, this, &SearchWindow::takeAsFilter);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    if (!reading) {
        ui->edtSuche->setEnabled(false);
        m_indexStatus.text = u"Die Volltextsuche ist nicht verfügbar: die PDF-Engine fehlt."_s;
    } else {
        m_indexer = new SearchIndexer(std::move(*reading), this);
        connect(m_indexer, &SearchIndexer::indexOpened, this, [this] {
            // Perhaps a new file: the searches open it again.
            m_queries->prepare();
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

QString SearchWindow::statusToolTip() const
{
    return ui->lblStatus->toolTip();
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
    m_indexStatus = {u"Der Suchindex wird geprüft …"_s, {}};
    m_indexer->start(m_indexPath, m_catalogue, m_sheets->files(), renew);
    m_refresh.start();
}

void SearchWindow::searchNow()
{
    m_typing.stop();
    if (m_indexOpened || ui->edtSuche->text().trimmed().isEmpty())
        m_queries->search(ui->edtSuche->text(), rowsOnScreen());
}

int SearchWindow::rowsOnScreen() const
{
    const int rowHeight = std::max(1, ui->tvTreffer->verticalHeader()->defaultSectionSize());
    return ui->tvTreffer->viewport()->height() / rowHeight + 1;
}

void SearchWindow::showResults(const SearchAnswer &answer)
{
    if (answer.damaged && m_indexer != nullptr) {
        m_indexOpened = false;
        m_model->clear();
        m_resultStatus = {u"Der Suchindex ist beschädigt und wird neu aufgebaut."_s,
                          answer.failure.detail};
        startIndexing(true);
        showStatus();
        return;
    }
    // A search of the same input again (while the index grows) keeps the place in the rows.
    const bool sameInput = answer.input == m_shownInput;
    const int scrolled = ui->tvTreffer->verticalScrollBar()->value();
    m_shownInput = answer.input;
    // A failed search shows no rows, and says so: it never reads as "nothing found".
    m_model->setAnswer(answer);
    ui->tvTreffer->verticalScrollBar()->setValue(sameInput ? scrolled : 0);
    ui->btnFilter->setEnabled(!m_listHeld && m_model->rowCount() > 0);
    if (!answer.failure.isNull())
        m_resultStatus = {u"Die Suche ist fehlgeschlagen: "_s + answer.failure.text,
                          answer.failure.detail};
    else if (answer.input.trimmed().isEmpty())
        m_resultStatus = {};
    else if (m_model->rowCount() == 0)
        m_resultStatus = {u"Nichts gefunden"_s, {}};
    else
        m_resultStatus = {sheetCount(m_model->rowCount()) + u" gefunden"_s, {}};
    showStatus();
    Q_EMIT resultsShown(answer.input);
}

void SearchWindow::askHitInfo()
{
    const std::vector<qint64> wanted = m_model->takeWanted();
    if (!wanted.empty())
        m_queries->findHitInfo(m_model->generation(), m_shownInput, wanted);
}

void SearchWindow::openRow(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const FoundSheet &found = m_model->found(index.row());
    m_openId = found.id;
    m_queries->findPlaces(found, m_shownInput);
}

void SearchWindow::openAt(const Places &places)
{
    if (places.sheet.id != m_openId)
        return;
    m_openId = -1;
    // Without the places (the search failed meanwhile) the sheet still opens.
    Q_EMIT hitOpenRequested(places.sheet.sheet->path, places.page, places.texts);
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
    Q_EMIT restrictionRequested({m_shownInput.simplified(), m_model->records()});
}

void SearchWindow::indexProgress(int done, int total)
{
    ui->pbIndex->setVisible(true);
    ui->pbIndex->setRange(0, std::max(total, 1));
    ui->pbIndex->setValue(done);
    m_indexStatus = {
        u"Der Suchindex wird aufgebaut: %1 von %2 gelesen"_s.arg(
            QLocale(QLocale::German).toString(done), sheetCount(total, GermanCase::Dative)),
        {}};
    showStatus();
}

void SearchWindow::indexDone(const IndexSummary &summary)
{
    m_refresh.stop();
    ui->pbIndex->setVisible(false);
    if (!summary.failure.isNull()) {
        m_indexStatus = {summary.failure.text, summary.failure.detail};
    } else if (summary.cancelled) {
        m_indexStatus = {u"Der Aufbau des Suchindex wurde abgebrochen; er ist unvollständig"_s, {}};
    } else {
        const int indexed = summary.files - int(summary.unreadable.size());
        m_indexStatus = {u"Im Index: "_s + sheetCount(indexed), {}};
        QStringList tips;
        if (!summary.unreadable.isEmpty()) {
            m_indexStatus.text += u"; nicht lesbar: "_s + someNames(summary.unreadable);
            tips.append(u"Nicht lesbar:\n"_s + summary.unreadable.join(u'\n'));
        }
        if (!summary.partial.isEmpty()) {
            m_indexStatus.text += u"; nur teilweise gelesen: "_s + someNames(summary.partial);
            tips.append(u"Nur teilweise gelesen (zu viel Text, zu langsam oder zu groß; "
                        "durchsucht wird der Anfang):\n"_s +
                        summary.partial.join(u'\n'));
        }
        m_indexStatus.tip = tips.join(u"\n\n"_s);
    }
    showStatus();
    if (!summary.cancelled)
        searchNow();
    Q_EMIT indexFinished(summary);
}

void SearchWindow::showStatus()
{
    QStringList parts;
    QStringList tips;
    for (const Status *status : {&m_resultStatus, &m_indexStatus}) {
        if (!status->text.isEmpty())
            parts.append(status->text);
        if (!status->tip.isEmpty())
            tips.append(status->tip);
    }
    ui->lblStatus->setText(parts.join(u" · "_s));
    ui->lblStatus->setToolTip(tips.join(u"\n\n"_s));
}
