#include "documents/engine/navigationpanel.h"

#include "documents/engine/core/pagelayout.h"
#include "documents/engine/core/renderqueue.h"

#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int ThumbnailWidth = 96;
constexpr int CacheKiB = 16 * 1024;
constexpr int PageRole = Qt::UserRole;

} // namespace

NavigationPanel::NavigationPanel(QWidget *parent)
    : QTabWidget(parent)
    , m_queue(new RenderQueue(CacheKiB, this))
    , m_pages(new QListWidget(this))
    , m_outline(new QTreeWidget(this))
{
    m_pages->setViewMode(QListView::IconMode);
    m_pages->setFlow(QListView::TopToBottom);
    m_pages->setWrapping(false);
    m_pages->setMovement(QListView::Static);
    m_pages->setIconSize(QSize(ThumbnailWidth, ThumbnailWidth * 1414 / 1000));
    m_pages->setUniformItemSizes(true);
    m_outline->setHeaderHidden(true);
    addTab(m_pages, u"Seiten"_s);
    addTab(m_outline, u"Lesezeichen"_s);
    connect(m_pages, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != m_currentPage)
            Q_EMIT pageActivated(row);
    });
    connect(m_outline, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const int page = item->data(0, PageRole).toInt();
        if (page >= 0)
            Q_EMIT pageActivated(page);
    });
    connect(m_pages->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &NavigationPanel::requestVisibleThumbnails);
    connect(m_queue, &RenderQueue::rendered, this, &NavigationPanel::thumbnailRendered);
}

void NavigationPanel::setDocument(std::shared_ptr<const EngineDocument> document)
{
    m_document = std::move(document);
    m_queue->setDocument(m_document);
    m_currentPage = -1;
    m_dirty = true;
    if (isVisible())
        rebuild();
}

void NavigationPanel::setSmartThumbnails(bool on)
{
    if (on == m_smart)
        return;
    m_smart = on;
    setDocument(m_document);
}

void NavigationPanel::setCurrentPage(int index)
{
    m_currentPage = index;
    const QSignalBlocker blocker(m_pages);
    m_pages->setCurrentRow(index);
}

void NavigationPanel::showEvent(QShowEvent *event)
{
    QTabWidget::showEvent(event);
    if (m_dirty)
        rebuild();
}

void NavigationPanel::rebuild()
{
    m_dirty = false;
    {
        const QSignalBlocker blocker(m_pages);
        m_pages->clear();
        for (int page = 0; m_document && page < m_document->pageCount(); ++page) {
            auto *item = new QListWidgetItem(QString::number(page + 1), m_pages);
            item->setTextAlignment(Qt::AlignHCenter);
        }
        m_pages->setCurrentRow(m_currentPage);
    }
    m_outline->clear();
    if (m_document)
        addOutline(m_outline->invisibleRootItem(), m_document->outline());
    // After the list has laid out its items.
    QTimer::singleShot(0, this, &NavigationPanel::requestVisibleThumbnails);
}

void NavigationPanel::addOutline(QTreeWidgetItem *parent, const QList<OutlineEntry> &entries)
{
    for (const OutlineEntry &entry : entries) {
        auto *item = new QTreeWidgetItem(parent, {entry.title});
        item->setData(0, PageRole, entry.page);
        addOutline(item, entry.children);
    }
}

RenderKey NavigationPanel::thumbnailKey(int page) const
{
    const QSizeF points = m_document->pageSize(page);
    const QSize icon = m_pages->iconSize();
    const double scale = std::min(icon.width() / points.width(), icon.height() / points.height());
    return {page, qRound(scale * 10000.0), 0, qRound(devicePixelRatioF() * 100.0), 0};
}

void NavigationPanel::requestVisibleThumbnails()
{
    if (!m_smart || !m_document || !m_pages->isVisible())
        return;
    const QRect area = m_pages->viewport()->rect();
    for (int row = 0; row < m_pages->count(); ++row) {
        if (m_pages->visualItemRect(m_pages->item(row)).intersects(area) &&
            m_pages->item(row)->icon().isNull())
            m_queue->request(thumbnailKey(row), RenderQueue::Priority::Prefetch);
    }
}

void NavigationPanel::thumbnailRendered(const RenderKey &key)
{
    const QImage *image = m_queue->image(key);
    if (image == nullptr || image->isNull() || key.page >= m_pages->count())
        return;
    m_pages->item(key.page)->setIcon(QIcon(QPixmap::fromImage(*image)));
}
