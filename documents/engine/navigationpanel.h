#pragma once

#include "documents/engine/core/enginedocument.h"

#include <QTabWidget>

#include <memory>

class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;
class RenderQueue;
struct RenderKey;

// Page thumbnails and the document's outline; choosing an entry shows its page. Filled only
// while shown, since most windows never show it.
class NavigationPanel final : public QTabWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NavigationPanel)

public:
    explicit NavigationPanel(QWidget *parent = nullptr);

    void setDocument(std::shared_ptr<const EngineDocument> document);
    void setCurrentPage(int index);
    // Rendered thumbnails; without them the list shows page numbers only.
    void setSmartThumbnails(bool on);

Q_SIGNALS:
    void pageActivated(int index);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void rebuild();
    void requestVisibleThumbnails();
    void thumbnailRendered(const RenderKey &key);
    void addOutline(QTreeWidgetItem *parent, const QList<OutlineEntry> &entries);
    RenderKey thumbnailKey(int page) const;

    std::shared_ptr<const EngineDocument> m_document;
    RenderQueue *m_queue;
    QListWidget *m_pages;
    QTreeWidget *m_outline;
    bool m_dirty = false;
    bool m_smart = false;
    int m_currentPage = -1;
};
