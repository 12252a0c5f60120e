#include "documents/engine/core/enginedocument.h"

#include <QFileInfo>
#include <QLocale>
#include <QMutexLocker>

#include <poppler-qt6.h>

#include <cmath>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

constexpr QSizeF A4Points(595.0, 842.0);
// PDF pages are at most 200 inches a side; damaged files claim anything.
constexpr double LargestPagePoints = 14400.0;
// Outline trees of damaged files can be deep or huge; a reader needs neither.
constexpr int OutlineDepthLimit = 32;
constexpr int OutlineEntryLimit = 10000;

QSizeF saneSize(QSizeF size)
{
    if (!std::isfinite(size.width()) || !std::isfinite(size.height()) || size.width() < 1.0 ||
        size.height() < 1.0)
        return A4Points;
    return {std::min(size.width(), LargestPagePoints), std::min(size.height(), LargestPagePoints)};
}

// Poppler reports every syntax error of a damaged file on stderr; the user gets one message
// from the engine instead.
void silencePoppler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Poppler::setDebugErrorFunction([](const QString &, const QVariant &) {}, QVariant());
    });
}

bool shouldAbort(const QVariant &payload)
{
    const auto *cancel = reinterpret_cast<const std::atomic_bool *>(payload.value<quintptr>());
    return cancel != nullptr && cancel->load();
}

QString dateText(const QDateTime &date)
{
    return date.isValid() ? QLocale(QLocale::German).toString(date, QLocale::ShortFormat)
                          : QString();
}

} // namespace

EngineDocument::EngineDocument(QString path, std::unique_ptr<Poppler::Document> document)
    : m_path(std::move(path))
    , m_document(std::move(document))
{
    m_document->setRenderHint(Poppler::Document::Antialiasing);
    m_document->setRenderHint(Poppler::Document::TextAntialiasing);
    m_document->setRenderHint(Poppler::Document::TextHinting);
    m_document->setRenderHint(Poppler::Document::TextSlightHinting);
}

EngineDocument::~EngineDocument() = default;

std::unique_ptr<EngineDocument> EngineDocument::open(const QString &path, Status *status)
{
    silencePoppler();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        *status = Status::Missing;
        return nullptr;
    }
    if (!info.isReadable()) {
        *status = Status::Unreadable;
        return nullptr;
    }
    if (info.size() == 0) {
        *status = Status::Empty;
        return nullptr;
    }
    std::unique_ptr<Poppler::Document> popplerDocument = Poppler::Document::load(path);
    if (!popplerDocument) {
        *status = Status::Damaged;
        return nullptr;
    }
    std::unique_ptr<EngineDocument> document(new EngineDocument(path, std::move(popplerDocument)));
    // Nobody else sees the document yet.
    if (document->m_document->isLocked()) {
        document->m_status = Status::Locked;
        document->m_neededPassword = true;
    } else
        document->readPages();
    *status = document->status();
    if (*status != Status::Opened && *status != Status::Locked)
        return nullptr;
    return document;
}

bool EngineDocument::isLocked() const
{
    QMutexLocker lock(&m_mutex);
    return m_document->isLocked();
}

bool EngineDocument::unlock(const QString &password)
{
    {
        QMutexLocker lock(&m_mutex);
        if (!m_document->isLocked())
            return true;
        // Older encryption takes Latin-1 passwords, AES-256 UTF-8 ones.
        const QByteArray latin1 = password.toLatin1();
        m_document->unlock(latin1, latin1);
        const QByteArray utf8 = password.toUtf8();
        if (m_document->isLocked() && utf8 != latin1)
            m_document->unlock(utf8, utf8);
        if (m_document->isLocked())
            return false;
    }
    readPages();
    return true;
}

void EngineDocument::readPages()
{
    QMutexLocker lock(&m_mutex);
    QList<QSizeF> sizes;
    const int count = std::max(0, m_document->numPages());
    sizes.reserve(count);
    for (int i = 0; i < count; ++i) {
        const std::unique_ptr<Poppler::Page> page = m_document->page(i);
        sizes.append(page ? saneSize(page->pageSizeF()) : A4Points);
    }
    // All pages at once: a reader sees the locked document or the opened one, never half.
    QMutexLocker pagesLock(&m_pagesMutex);
    m_pageSizes = std::move(sizes);
    m_status = count > 0 ? Status::Opened : Status::NoPages;
}

EngineDocument::Status EngineDocument::status() const
{
    QMutexLocker lock(&m_pagesMutex);
    return m_status;
}

int EngineDocument::pageCount() const
{
    QMutexLocker lock(&m_pagesMutex);
    return int(m_pageSizes.size());
}

QSizeF EngineDocument::pageSize(int index) const
{
    QMutexLocker lock(&m_pagesMutex);
    return index >= 0 && index < m_pageSizes.size() ? m_pageSizes.at(index) : QSizeF();
}

QList<QSizeF> EngineDocument::pageSizes() const
{
    QMutexLocker lock(&m_pagesMutex);
    return m_pageSizes;
}

QImage EngineDocument::render(int index, QSize pagePixels, const QRect &region,
                              const std::atomic_bool *cancel) const
{
    QMutexLocker lock(&m_mutex);
    if ((cancel != nullptr && cancel->load()) || index < 0 || index >= m_pageSizes.size())
        return {};
    const std::unique_ptr<Poppler::Page> page = m_document->page(index);
    if (!page)
        return {};
    const QSizeF points = m_pageSizes.at(index);
    const double xres = 72.0 * pagePixels.width() / points.width();
    const double yres = 72.0 * pagePixels.height() / points.height();
    QImage image = page->renderToImage(xres, yres, region.x(), region.y(), region.width(),
                                       region.height(), Poppler::Page::Rotate0, nullptr, nullptr,
                                       shouldAbort, QVariant::fromValue(quintptr(cancel)));
    if (cancel != nullptr && cancel->load())
        return {};
    // Painting converts anything else on every paint.
    if (image.format() != QImage::Format_RGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

int EngineDocument::pageIndexOf(const QString &namedDestination) const
{
    const std::unique_ptr<Poppler::LinkDestination> destination =
        m_document->linkDestination(namedDestination);
    return destination ? destination->pageNumber() - 1 : -1;
}

QList<PageLink> EngineDocument::links(int index) const
{
    QMutexLocker lock(&m_mutex);
    QList<PageLink> result;
    const std::unique_ptr<Poppler::Page> page = m_document->page(index);
    if (!page)
        return result;
    for (const std::unique_ptr<Poppler::Link> &link : page->links()) {
        PageLink entry;
        entry.area = link->linkArea().normalized();
        if (link->linkType() == Poppler::Link::Browse) {
            entry.url = static_cast<const Poppler::LinkBrowse &>(*link).url();
            if (entry.url.isEmpty())
                continue;
        } else if (link->linkType() == Poppler::Link::Goto) {
            const auto &go = static_cast<const Poppler::LinkGoto &>(*link);
            if (go.isExternal())
                continue;
            const Poppler::LinkDestination destination = go.destination();
            std::unique_ptr<Poppler::LinkDestination> named;
            const Poppler::LinkDestination *target = &destination;
            if (!destination.destinationName().isEmpty()) {
                named = m_document->linkDestination(destination.destinationName());
                if (!named)
                    continue;
                target = named.get();
            }
            entry.targetPage = target->pageNumber() - 1;
            if (entry.targetPage < 0 || entry.targetPage >= m_pageSizes.size())
                continue;
            const QSizeF size = m_pageSizes.at(entry.targetPage);
            entry.targetPoint = {target->isChangeLeft() ? target->left() * size.width() : 0.0,
                                 target->isChangeTop() ? target->top() * size.height() : 0.0};
        } else {
            continue;
        }
        result.append(entry);
    }
    return result;
}

QString EngineDocument::text(int index) const
{
    QMutexLocker lock(&m_mutex);
    const std::unique_ptr<Poppler::Page> page = m_document->page(index);
    return page ? page->text(QRectF()) : QString();
}

QList<QRectF> EngineDocument::find(int index, const QString &text) const
{
    QMutexLocker lock(&m_mutex);
    const std::unique_ptr<Poppler::Page> page = m_document->page(index);
    if (!page || text.isEmpty())
        return {};
    return page->search(text, Poppler::Page::IgnoreCase | Poppler::Page::AcrossLines);
}

QList<OutlineEntry> EngineDocument::outline() const
{
    QMutexLocker lock(&m_mutex);
    int budget = OutlineEntryLimit;
    const auto convert = [&](const auto &self, const QVector<Poppler::OutlineItem> &items,
                             int depth) -> QList<OutlineEntry> {
        QList<OutlineEntry> entries;
        for (const Poppler::OutlineItem &item : items) {
            if (budget-- <= 0)
                break;
            OutlineEntry entry{item.name(), -1, {}};
            if (const auto destination = item.destination()) {
                entry.page = destination->destinationName().isEmpty()
                                 ? destination->pageNumber() - 1
                                 : pageIndexOf(destination->destinationName());
            }
            if (entry.page >= m_pageSizes.size())
                entry.page = -1;
            if (depth < OutlineDepthLimit && item.hasChildren())
                entry.children = self(self, item.children(), depth + 1);
            entries.append(entry);
        }
        return entries;
    };
    return convert(convert, m_document->outline(), 0);
}

QList<std::pair<QString, QString>> EngineDocument::properties() const
{
    QMutexLocker lock(&m_mutex);
    const QFileInfo file(m_path);
    const Poppler::Document::PdfVersion version = m_document->getPdfVersion();
    const QSizeF size = m_pageSizes.isEmpty() ? QSizeF() : m_pageSizes.first();
    const QLocale german(QLocale::German);
    return {
        {u"Datei"_s, file.fileName()},
        {u"Ordner"_s, file.absolutePath()},
        {u"Dateigröße"_s, german.formattedDataSize(file.size())},
        {u"Titel"_s, m_document->info(u"Title"_s)},
        {u"Thema"_s, m_document->info(u"Subject"_s)},
        {u"Autor"_s, m_document->info(u"Author"_s)},
        {u"Stichwörter"_s, m_document->info(u"Keywords"_s)},
        {u"Erstellt mit"_s, m_document->info(u"Creator"_s)},
        {u"PDF erzeugt von"_s, m_document->info(u"Producer"_s)},
        {u"Erstellt am"_s, dateText(m_document->creationDate())},
        {u"Geändert am"_s, dateText(m_document->modificationDate())},
        {u"PDF-Version"_s, u"%1.%2"_s.arg(version.major).arg(version.minor)},
        {u"Seiten"_s, QString::number(m_pageSizes.size())},
        {u"Seitengröße"_s, u"%1 × %2 mm"_s.arg(qRound(size.width() * 25.4 / 72.0))
                               .arg(qRound(size.height() * 25.4 / 72.0))},
        {u"Verschlüsselt"_s, m_document->isEncrypted() ? u"ja"_s : u"nein"_s},
    };
}

bool EngineDocument::isEncrypted() const
{
    QMutexLocker lock(&m_mutex);
    return m_document->isEncrypted();
}

bool EngineDocument::okToPrint() const
{
    QMutexLocker lock(&m_mutex);
    return m_document->okToPrint();
}

bool EngineDocument::okToPrintHighResolution() const
{
    QMutexLocker lock(&m_mutex);
    return m_document->okToPrintHighRes();
}

bool EngineDocument::okToCopy() const
{
    QMutexLocker lock(&m_mutex);
    return m_document->okToCopy();
}
