#include "documents/pdfview.h"

#include "documents/pdfviewcommands.h"
#include "documents/pdfviewlibrary.h"
#include "platform/designfont.h"
#include "platform/messagewindow.h"
#include "platform/qtdialogservice.h"
#include "platform/windowclassregistry.h"

#include <QFile>
#include <QGuiApplication>
#include <QMetaMethod>
#include <QPainter>
#include <QVBoxLayout>

#include <array>
#include <utility>

using namespace Qt::StringLiterals;
using namespace PDFViewCommands;

namespace {

// The engine's bit for each member, in declaration order.
constexpr std::array<std::pair<TPDFView::TPDFViewControl, int>, 5> ControlBits = {{
    {TPDFView::pvHorzScrollBar, PartHorzScrollBar},
    {TPDFView::pvVertScrollBar, PartVertScrollBar},
    {TPDFView::pvPropertyPanel, PartPropertyPanel},
    {TPDFView::pvNavigationPanel, PartNavigationPanel},
    {TPDFView::pvViewPanel, PartViewPanel},
}};

constexpr std::array<std::pair<TPDFView::TPDFViewOption, int>, 10> OptionBits = {{
    {TPDFView::pvDontUseHyperlinks, OptDontUseHyperlinks},
    {TPDFView::pvDontHighlightLinks, OptDontHighlightLinks},
    {TPDFView::pvDontAskForPassword, OptDontAskForPassword},
    {TPDFView::pvSelectClickedPage, OptSelectClickedPage},
    {TPDFView::pvShowPageSelection, OptShowPageSelection},
    {TPDFView::pvShowPageMultiSelection, OptShowPageMultiSelection},
    {TPDFView::pvEnableSmartThumbs, OptEnableSmartThumbs},
    {TPDFView::pvAllowFormEdit, OptAllowFormEdit},
    {TPDFView::pvDisablePagenrHint, OptDisablePagenrHint},
    {TPDFView::pvDisableZoomHint, OptDisableZoomHint},
}};

// One command per member, sent in declaration order.
constexpr std::array<std::pair<TPDFView::TPDFSecurityOption, int>, 9> SecurityCommands = {{
    {TPDFView::pvDisablePrint, CmdDisablePrint},
    {TPDFView::pvDisableHQPrint, CmdDisableHQPrint},
    {TPDFView::pvDisableSelectPrinter, CmdDisableSelectPrinter},
    {TPDFView::pvDisablePrintHDC, CmdDisablePrintHDC},
    {TPDFView::pvDisableSave, CmdDisableSave},
    {TPDFView::pvDisableCopy, CmdDisableCopy},
    {TPDFView::pvDisableForms, CmdDisableForms},
    {TPDFView::pvDisableEdit, CmdDisableEdit},
    {TPDFView::pvDisablePDFSecurityOverride, CmdDisablePDFSecurityOverride},
}};

template<typename Flags, typename Table>
int engineBits(Flags set, const Table &table)
{
    int bits = 0;
    for (const auto &[member, bit] : table) {
        if (set.testFlag(member))
            bits |= bit;
    }
    return bits;
}

DialogService *dialogService = nullptr;

DialogService &dialogs()
{
    if (dialogService == nullptr) {
        static QtDialogService fallback(QGuiApplication::applicationDisplayName());
        dialogService = &fallback;
    }
    return *dialogService;
}

} // namespace

void TPDFView::setDialogService(DialogService *dialogs)
{
    dialogService = dialogs;
}

TPDFView::TPDFView(QWidget *parent)
    : QWidget(parent)
    , m_viewControls(pvHorzScrollBar | pvVertScrollBar | pvPropertyPanel | pvNavigationPanel |
                     pvViewPanel)
    , m_securityOptions(pvDisableSave | pvDisableCopy | pvDisableForms | pvDisableEdit |
                        pvDisablePDFSecurityOverride)
{
    // The control paints all of its area itself; nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

// The window goes before the widget's children, without a command to the engine.
TPDFView::~TPDFView() = default;

bool TPDFView::hasEngine() const
{
    return m_window != nullptr && m_window->widget() != nullptr;
}

MessageWindow &TPDFView::window()
{
    if (!m_window)
        createWindow();
    return *m_window;
}

void TPDFView::createWindow()
{
    PDFViewLibrary::load(EngineLibraryName, dialogs());
    auto subclass = [this](MessageWindow &window, quint32 message, quintptr wParam,
                           qintptr lParam) {
        return windowProcedure(window, message, wParam, lParam);
    };
    if (PDFViewLibrary::isLoaded()) {
        if (const auto windowClass = WindowClassRegistry::find(WindowClassName)) {
            m_window = MessageWindow::create(*windowClass, this, subclass);
            if (QWidget *engine = m_window->widget()) {
                layout()->addWidget(engine);
                setFocusProxy(engine);
                engine->show();
            }
            return;
        }
        dialogs().plain(u"Windowclass "_s + QLatin1StringView(WindowClassName) +
                        u" cannot be found!"_s);
        PDFViewLibrary::unload();
    }
    m_window = MessageWindow::createPlain(subclass);
    update();
}

qint32 TPDFView::windowProcedure(MessageWindow &window, quint32 message, quintptr wParam,
                                 qintptr lParam)
{
    switch (message) {
    case MsgNotify: {
        const qint32 answer = window.callClassProcedure(message, wParam, lParam);
        notification(int(wParam), lParam);
        return answer;
    }
    case MsgLinkPage:
        Q_EMIT OnHyperlinkPage(int(wParam), int((quint32(lParam) >> 16) & 0xFFFF),
                               int(quint32(lParam) & 0xFFFF));
        return 0;
    case MsgLinkWeb:
        if (lParam != 0 && isSignalConnected(QMetaMethod::fromSignal(&TPDFView::OnHyperlinkWWW)))
            Q_EMIT OnHyperlinkWWW(QString::fromUtf8(reinterpret_cast<const char *>(lParam)));
        return 0;
    case MsgGetDialogCode:
        // Enter, Escape and the arrow keys belong to the document, not to dialog navigation.
        return DialogCodeWantArrows | DialogCodeWantAllKeys | DialogCodeWantChars;
    case MsgEraseBackground:
        return 1;
    default:
        return window.callClassProcedure(message, wParam, lParam);
    }
}

void TPDFView::notification(int code, qintptr value)
{
    switch (code) {
    case NotifyNeedPassword:
        Q_EMIT OnNeedPassword();
        break;
    case NotifyCommandBase:
        m_commandBase = qint32(value);
        break;
    case NotifyPageChanged:
        Q_EMIT OnChangeViewPage(qint32(value) + 1);
        break;
    case NotifyVersion:
        m_version = qint32(value);
        break;
    case NotifyError:
        Q_EMIT OnError(value != 0 ? QString::fromUtf8(reinterpret_cast<const char *>(value))
                                  : QString());
        break;
    case NotifyKeyDown:
    case NotifyKeyUp: {
        const auto key = quint16(quint32(value) >> 16);
        const auto shift = TShiftState::fromInt(int(value) & ShiftMask);
        quint16 changed = key;
        if (code == NotifyKeyDown)
            Q_EMIT OnKeyDown(changed, shift);
        else
            Q_EMIT OnKeyUp(changed, shift);
        if (changed != key)
            SendCommandValue(CmdReplaceKey, changed);
        break;
    }
    case NotifyKeyPress: {
        const auto character = quint8(quint32(value) >> 16);
        quint8 changed = character;
        Q_EMIT OnKeyPress(changed);
        if (changed != character)
            SendCommandValue(CmdReplaceKey, changed);
        break;
    }
    default:
        break;
    }
}

void TPDFView::setViewControls(TPDFViewControls value)
{
    m_viewControls = value;
    SendCommandValue(CmdViewControls, engineBits(value, ControlBits));
}

void TPDFView::setViewOptions(TPDFViewOptions value)
{
    m_viewOptions = value;
    SendCommandValue(CmdViewOptions, engineBits(value, OptionBits));
}

void TPDFView::setSecurityOptions(TPDFSecurityOptions value)
{
    m_securityOptions = value;
    for (const auto &[member, command] : SecurityCommands) {
        if (value.testFlag(member))
            SendCommand(command);
    }
}

void TPDFView::setLoadPassword(const QString &value)
{
    m_loadPassword = value;
    SendCommandText(CmdPassword, value);
}

void TPDFView::setFileName(const QString &value)
{
    m_fileName = value;
    if (!value.isEmpty() && value != m_lastLoadedFile)
        LoadFromFile(value);
}

void TPDFView::setBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    // The border is the control's own frame, so the engine window keeps its document and
    // switches when the border changes.
    m_borderStyle = value;
    const int border = value == bsSingle ? 1 : 0;
    setContentsMargins(border, border, border, border);
    update();
}

void TPDFView::Loaded()
{
    SendCommandValue(CmdViewOptions, engineBits(m_viewOptions, OptionBits));
    SendCommandValue(CmdViewControls, engineBits(m_viewControls, ControlBits));
    SendCommandText(CmdPassword, m_loadPassword);
    if (!m_fileName.isEmpty() && m_fileName != m_lastLoadedFile)
        LoadFromFile(m_fileName);
}

qint32 TPDFView::SendCommand(int command)
{
    return SendCommandValue(command, 0);
}

qint32 TPDFView::SendCommandValue(int command, qint32 value)
{
    MessageWindow &target = window();
    return target.send(MsgValueCommand, quintptr(command + m_commandBase), qintptr(value));
}

qint32 TPDFView::SendCommandText(int command, const QString &text)
{
    return sendText(command, text.toUtf8());
}

qint32 TPDFView::sendText(int command, const QByteArray &text)
{
    MessageWindow &target = window();
    return target.send(MsgTextCommand, quintptr(command + m_commandBase),
                       reinterpret_cast<qintptr>(text.constData()));
}

bool TPDFView::LoadFromFile(const QString &path)
{
    window();
    // A plain window answers 0 to everything; that is no loaded document.
    if (!hasEngine() || sendText(CmdLoadFile, QFile::encodeName(path)) < 0)
        return false;
    m_lastLoadedFile = path;
    return true;
}

void TPDFView::PrintPages(int first, int last)
{
    SendCommandValue(CmdPrintPages, pageRange(first, last));
}

void TPDFView::showEvent(QShowEvent *event)
{
    window();
    QWidget::showEvent(event);
}

void TPDFView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_borderStyle == bsSingle) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!hasEngine())
        paintPlaceholder(painter);
}

void TPDFView::paintPlaceholder(QPainter &painter)
{
    const QRect client = contentsRect();
    painter.translate(client.topLeft());
    const int width = client.width();
    const int height = client.height();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, width - 1, height - 1);
    // Verdana 11 point at 96 dots per inch.
    const QFont font = designFont(u"Verdana"_s, 15);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.drawText(4, 6 + metrics.ascent(), u"PDF View V1.0"_s);
    painter.drawText(4, 6 + metrics.height() + metrics.ascent(), u"no PDF engine"_s);
    // Where the scroll bars would be.
    painter.drawLine(0, height - 15, width, height - 15);
    painter.drawLine(width - 15, 0, width - 15, height);
}
