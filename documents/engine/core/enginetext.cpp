#include "documents/engine/core/enginetext.h"

#include "documents/engine/core/enginedocument.h"

#include <QFile>

using namespace PDFViewCommands;

namespace {

qint32 failure(EngineDocument::Status status)
{
    switch (status) {
    case EngineDocument::Status::Missing:
        return ExtractMissing;
    case EngineDocument::Status::Unreadable:
        return ExtractUnreadable;
    case EngineDocument::Status::Empty:
        return ExtractEmpty;
    case EngineDocument::Status::Locked:
        return ExtractLocked;
    case EngineDocument::Status::Damaged:
    case EngineDocument::Status::Opened:
    case EngineDocument::Status::NoPages:
        break;
    }
    return ExtractDamaged;
}

} // namespace

qint32 extractDocumentText(const char *path, PageTextCallback page, void *context,
                           const std::atomic_bool *cancel)
{
    if (path == nullptr || page == nullptr)
        return ExtractMissing;
    // A document of its own for this call: one Poppler document is never shared between
    // threads.
    EngineDocument::Status status = EngineDocument::Status::Missing;
    const std::unique_ptr<EngineDocument> document =
        EngineDocument::open(QFile::decodeName(path), &status);
    if (status == EngineDocument::Status::NoPages)
        return 0;
    if (!document || status != EngineDocument::Status::Opened)
        return failure(status);
    for (int index = 0; index < document->pageCount(); ++index) {
        if (cancel != nullptr && cancel->load())
            return ExtractCancelled;
        const QString text = document->text(index);
        page(context, index, reinterpret_cast<const char16_t *>(text.utf16()), text.size());
    }
    return document->pageCount();
}
