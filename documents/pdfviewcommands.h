#pragma once

#include "platform/windowclass.h"

#include <QtGlobal>

#include <atomic>

// The message protocol between the PDF view control (TPDFView) and the engine library
// pdfengine01: message numbers, commands, notification codes, option bits, and how the
// library is recognised. Both sides include this header; it holds no code of its own.
//
// Texts crossing the interface are zero-terminated UTF-8, passed as the address in the second
// parameter and valid only during the call. File names are in the file system's encoding
// (QFile::encodeName; UTF-8 on a UTF-8 system).
namespace PDFViewCommands {

// How the control finds the engine: one exported C function returning the descriptor below.
// The engine is built with the program's compiler and Qt; AbiVersion changes whenever the
// descriptor or the types of platform/windowclass.h change.
constexpr char EntryPointName[] = "pdfengine_descriptor";
constexpr quint32 AbiVersion = 2;
constexpr char WindowClassName[] = "PDFENGINE_VIEW_01";

// The text of a PDF file, for the full-text search: `page` is called once per page, in order,
// with the page's text in reading order (UTF-16, lines ended by "\n", valid only during the
// call). Answers the number of pages or an Extract... code below. Safe from any thread and
// from several at once: every call opens the file for itself. `cancel` (may be null) stops
// it between pages.
using PageTextCallback = void (*)(void *context, int pageIndex, const char16_t *text,
                                  qsizetype length);
using TextExtraction = qint32 (*)(const char *path, PageTextCallback page, void *context,
                                  const std::atomic_bool *cancel);
constexpr qint32 ExtractMissing = -1;
constexpr qint32 ExtractUnreadable = -2; // no permission
constexpr qint32 ExtractEmpty = -3;
constexpr qint32 ExtractDamaged = -4;
constexpr qint32 ExtractLocked = -5; // needs a password
constexpr qint32 ExtractCancelled = -6;

struct EngineDescriptor
{
    quint32 abiVersion;
    WindowClass windowClass; // registered by the control when it loads the library
    TextExtraction extractText;
};
using EntryPoint = const EngineDescriptor *(*)();

// Messages. To the engine: value command (first parameter command + command base, second the
// value) and text command (second parameter the text). From the engine to its own window:
// notification (code, value), link to a page (page number from 1; X in bits 16-31 and Y in
// bits 0-15 of the second parameter, in points from the page's top left), web link (the URL).
// The link messages are answered 0 when the engine shall follow the link itself.
constexpr quint32 MsgTextCommand = 1101;
constexpr quint32 MsgNotify = 1102;
constexpr quint32 MsgValueCommand = 1103;
constexpr quint32 MsgLinkPage = 1107;
constexpr quint32 MsgLinkWeb = 1108;
// Asked by the engine's window before it claims a key that a surrounding dialog would take
// (WM_GETDLGCODE); the answer is a set of DialogCode bits.
constexpr quint32 MsgGetDialogCode = 0x0087;
// Asked before the engine's window clears its background (WM_ERASEBKGND); non-zero: done.
constexpr quint32 MsgEraseBackground = 0x0014;

// Commands (value commands unless marked text).
constexpr int CmdFirstPage = 20;
constexpr int CmdPreviousPage = 21;
constexpr int CmdNextPage = 23;
constexpr int CmdLastPage = 24;
constexpr int CmdPrintPages = 31; // first page index bits 0-15, last bits 16-31
constexpr int CmdPrint = 32;      // with the print dialog
constexpr int CmdSetPrinter = 35; // text: printer (CUPS queue) name for the following print
constexpr int CmdZoomIn = 42;
constexpr int CmdGetZoom = 43; // value 0; answer: zoom in percent
constexpr int CmdZoomOut = 44;
constexpr int CmdPageWidth = 45;
constexpr int CmdWholePage = 46;
constexpr int CmdTwoPages = 47;
constexpr int CmdViewControls = 50; // value: PartBits
constexpr int CmdViewOptions = 51;  // value: OptionBits
constexpr int CmdLoadFile = 101;    // text: file name; answer >= 0 loaded, < 0 failed
constexpr int CmdPassword = 120;    // text
constexpr int CmdDisablePrint = 123;
constexpr int CmdDisableHQPrint = 124;
constexpr int CmdDisableSelectPrinter = 125;
constexpr int CmdDisablePrintHDC = 126;
constexpr int CmdDisableSave = 127;
constexpr int CmdDisableCopy = 128;
constexpr int CmdDisableForms = 129;
constexpr int CmdDisableEdit = 130;
constexpr int CmdDisablePDFSecurityOverride = 131;
constexpr int CmdReplaceKey = 2001; // value: key code or character replacing the current one
// Commands of this engine of its own, for the full-text search.
constexpr int CmdGoToPage =
    1001; // value: page index from 0; its first marked place comes into view
constexpr int CmdHighlightText = 1002; // text: places to mark, one per line, matched ignoring
                                       // case and line breaks ("" clears); answer: how many
constexpr int CmdGetPageCount = 1003;  // value 0; answer: pages of the loaded document, 0 without

// Notification codes.
constexpr int NotifyNeedPassword = 100;
constexpr int NotifyCommandBase = 103;
constexpr int NotifyPageChanged = 104; // page index from 0
constexpr int NotifyVersion = 105;
constexpr int NotifyError = 107;    // value: address of the message text
constexpr int NotifyKeyDown = 201;  // key code bits 16-31, ShiftBits in bits 0-6
constexpr int NotifyKeyPress = 202; // character (Latin-1) bits 16-23
constexpr int NotifyKeyUp = 203;

// Shown parts (command 50).
constexpr int PartVertScrollBar = 1;
constexpr int PartHorzScrollBar = 2;
constexpr int PartViewPanel = 4;
constexpr int PartNavigationPanel = 8;
constexpr int PartPropertyPanel = 16;

// View options (command 51).
constexpr int OptDontUseHyperlinks = 1;
constexpr int OptDontHighlightLinks = 2;
constexpr int OptDontAskForPassword = 4;
constexpr int OptSelectClickedPage = 8;
constexpr int OptShowPageSelection = 16;
constexpr int OptShowPageMultiSelection = 32;
constexpr int OptAllowFormEdit = 64;
constexpr int OptDisablePagenrHint = 128;
constexpr int OptDisableZoomHint = 256;
constexpr int OptEnableSmartThumbs = 512;

// Shift state of the key notifications, from bit 0.
constexpr int ShiftShift = 1;
constexpr int ShiftAlt = 2;
constexpr int ShiftCtrl = 4;
constexpr int ShiftLeftButton = 8;
constexpr int ShiftRightButton = 16;
constexpr int ShiftMiddleButton = 32;
constexpr int ShiftDouble = 64;
constexpr int ShiftMask = 0x7F;

// Answer to MsgGetDialogCode: the window wants the arrow keys, all keys, characters.
constexpr int DialogCodeWantArrows = 1;
constexpr int DialogCodeWantAllKeys = 4;
constexpr int DialogCodeWantChars = 128;

// Key codes of the key notifications: the virtual-key numbers of the system the protocol
// comes from. Letters and digits are their upper-case ASCII codes.
constexpr quint16 KeyBack = 0x08;
constexpr quint16 KeyTab = 0x09;
constexpr quint16 KeyReturn = 0x0D;
constexpr quint16 KeyEscape = 0x1B;
constexpr quint16 KeySpace = 0x20;
constexpr quint16 KeyPageUp = 0x21;
constexpr quint16 KeyPageDown = 0x22;
constexpr quint16 KeyEnd = 0x23;
constexpr quint16 KeyHome = 0x24;
constexpr quint16 KeyLeft = 0x25;
constexpr quint16 KeyUp = 0x26;
constexpr quint16 KeyRight = 0x27;
constexpr quint16 KeyDown = 0x28;
constexpr quint16 KeyInsert = 0x2D;
constexpr quint16 KeyDelete = 0x2E;
constexpr quint16 KeyAdd = 0x6B;      // numeric keypad
constexpr quint16 KeySubtract = 0x6D; // numeric keypad
constexpr quint16 KeyF1 = 0x70;       // F1 to F12 follow on
constexpr quint16 KeyOemPlus = 0xBB;
constexpr quint16 KeyOemMinus = 0xBD;

// The packing of values.
constexpr qint32 pageRange(int first, int last)
{
    return qint32(quint32(quint16(first)) | (quint32(quint16(last)) << 16));
}
constexpr qint32 keyValue(quint16 key, int shift)
{
    return qint32((quint32(key) << 16) | quint32(shift & ShiftMask));
}
constexpr qint32 charValue(quint8 character)
{
    return qint32(quint32(character) << 16);
}
constexpr qintptr linkPoint(int x, int y)
{
    return qintptr((quint32(quint16(x)) << 16) | quint32(quint16(y)));
}

} // namespace PDFViewCommands
