// Built four times: a working fake engine and three that the control must refuse (no entry
// point, another ABI version, another window class).
#include "fakeengine.h"

#include "documents/pdfviewcommands.h"

#include <QWidget>

using namespace PDFViewCommands;

namespace {

FakeEngineState state;

QWidget *createWindow(QWidget *parent, MessageTarget *self)
{
    state.window = self;
    return new QWidget(parent);
}

qint32 windowProcedure(QWidget *, quint32 message, quintptr wParam, qintptr lParam)
{
    FakeMessage received{message, qint64(wParam), qint64(lParam), {}};
    if (message == MsgTextCommand) {
        received.second = 0;
        received.text = QByteArray(reinterpret_cast<const char *>(lParam));
    } else if (message == MsgNotify && int(wParam) == NotifyError) {
        received.second = 0;
    }
    state.received.append(received);
    if (message == MsgValueCommand && int(wParam) == CmdGetZoom)
        return state.zoomAnswer;
    if (message == MsgTextCommand && int(wParam) == CmdLoadFile)
        return received.text == state.rejectedFile ? -1 : 0;
    return 0;
}

#if defined(FAKE_OTHER_CLASS)
constexpr char ClassName[] = "SOME_OTHER_VIEW";
#else
constexpr char ClassName[] = "PDFENGINE_VIEW_01";
#endif
#if defined(FAKE_OLD_ABI)
constexpr quint32 Abi = AbiVersion + 1;
#else
constexpr quint32 Abi = AbiVersion;
#endif

const EngineDescriptor descriptor{Abi, {ClassName, createWindow, windowProcedure}, nullptr};

} // namespace

#if !defined(FAKE_NO_ENTRY_POINT)
extern "C" Q_DECL_EXPORT const EngineDescriptor *pdfengine_descriptor()
{
    return &descriptor;
}
#endif

extern "C" Q_DECL_EXPORT FakeEngineState *fakeengine_state()
{
    return &state;
}
