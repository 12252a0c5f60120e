#pragma once

#include <QImage>
#include <QList>
#include <QMutex>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <atomic>
#include <memory>
#include <utility>

namespace Poppler {
class Document;
}

// A link on a page: its area normalised to the page (0 to 1 from the top left), and either a
// page of the same document or a URL.
struct PageLink
{
    QRectF area;
    int targetPage = -1; // index from 0; -1 for a web link
    QPointF targetPoint; // in points from the target page's top left
    QString url;
};

struct OutlineEntry
{
    QString title;
    int page = -1; // index from 0; -1 when the entry leads nowhere in this document
    QList<OutlineEntry> children;
};

// One open PDF document and its pages, the engine's only view of Poppler. Every member may be
// called from any thread. Calls into Poppler are serialised by one lock, because a Poppler
// document renders one page at a time safely; the pages' sizes and the status have a lock of
// their own, so that the layout can read them while a page renders. The path and whether a
// password was needed are fixed before open() returns.
class EngineDocument
{
public:
    enum class Status { Opened, Missing, Unreadable, Empty, Damaged, Locked, NoPages };

    // Opens `path`. With Status::Locked the document is returned too, so that unlock() can be
    // tried with passwords; otherwise only with Status::Opened.
    [[nodiscard]] static std::unique_ptr<EngineDocument> open(const QString &path, Status *status);
    ~EngineDocument();
    EngineDocument(const EngineDocument &) = delete;
    EngineDocument &operator=(const EngineDocument &) = delete;

    bool isLocked() const;
    // Tries a password; on success the pages are read and status() is Opened or NoPages.
    bool unlock(const QString &password);
    Status status() const;
    // Whether opening it took a password: programs given the file alone cannot read it.
    bool neededPassword() const { return m_neededPassword; }

    const QString &filePath() const { return m_path; }
    // No pages while the document is locked.
    int pageCount() const;
    // In points, as the page is shown (its own rotation applied); A4 for a page Poppler
    // cannot read, so that the layout stays whole. An empty size for an index out of range.
    QSizeF pageSize(int index) const;
    QList<QSizeF> pageSizes() const;

    // Renders the part `region` of a page drawn `pagePixels` large. Returns a null image when
    // the page cannot be rendered or `cancel` was set.
    QImage render(int index, QSize pagePixels, const QRect &region,
                  const std::atomic_bool *cancel) const;
    QList<PageLink> links(int index) const;
    QString text(int index) const;
    // Where a text stands on a page, in points from its top left; case and line breaks do
    // not count.
    QList<QRectF> find(int index, const QString &text) const;
    QList<OutlineEntry> outline() const;
    // Caption and value of each document property, in display order.
    QList<std::pair<QString, QString>> properties() const;

    bool isEncrypted() const;
    bool okToPrint() const;
    bool okToPrintHighResolution() const;
    bool okToCopy() const;

private:
    EngineDocument(QString path, std::unique_ptr<Poppler::Document> document);
    void readPages();
    int pageIndexOf(const QString &namedDestination) const;

    const QString m_path;
    bool m_neededPassword = false;
    // Held for every call into Poppler.
    mutable QMutex m_mutex;
    std::unique_ptr<Poppler::Document> m_document;
    // Held for the pages and the status. readPages() changes them holding both locks, so
    // either lock alone is enough to read them; m_mutex is taken first.
    mutable QMutex m_pagesMutex;
    QList<QSizeF> m_pageSizes;
    Status m_status = Status::Opened;
};
