// The library's one export: the descriptor by which the PDF view control recognises the engine
// and registers its window class, and by which the full-text search reads the documents' text.
#include "documents/engine/core/enginetext.h"
#include "documents/engine/enginewindow.h"
#include "documents/pdfviewcommands.h"

#include <QByteArray>

using namespace PDFViewCommands;

namespace {

QWidget *createWindow(QWidget *parent, MessageTarget *self)
{
    return new EngineWindow(parent, self);
}

qint32 windowProcedure(QWidget *window, quint32 message, quintptr wParam, qintptr lParam)
{
    // Only windows of this class come here; null while one is being built.
    auto *engine = static_cast<EngineWindow *>(window);
    if (engine == nullptr)
        return 0;
    switch (message) {
    case MessageWindowCreated:
        engine->announce();
        return 0;
    case MsgValueCommand:
        return engine->valueCommand(int(wParam), qint32(lParam));
    case MsgTextCommand:
        return engine->textCommand(int(wParam),
                                   lParam != 0 ? QByteArray(reinterpret_cast<const char *>(lParam))
                                               : QByteArray());
    default:
        // Notifications and links need nothing more; 0 lets the engine follow a link itself.
        return 0;
    }
}

const EngineDescriptor descriptor{
    AbiVersion, {WindowClassName, createWindow, windowProcedure}, extractDocumentText};

} // namespace

extern "C" Q_DECL_EXPORT const EngineDescriptor *pdfengine_descriptor()
{
    return &descriptor;
}
