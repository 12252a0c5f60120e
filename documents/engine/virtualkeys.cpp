#include "documents/engine/virtualkeys.h"

#include "documents/pdfviewcommands.h"

#include <array>
#include <utility>

using namespace PDFViewCommands;

namespace VirtualKeys {

quint16 fromQt(int key, Qt::KeyboardModifiers modifiers)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return quint16(key); // Qt uses the upper-case ASCII codes too
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return quint16(KeyF1 + (key - Qt::Key_F1));
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (key == Qt::Key_Plus)
        return keypad ? KeyAdd : KeyOemPlus;
    if (key == Qt::Key_Minus)
        return keypad ? KeySubtract : KeyOemMinus;
    static constexpr std::array<std::pair<int, quint16>, 16> table = {{
        {Qt::Key_Backspace, KeyBack},
        {Qt::Key_Tab, KeyTab},
        {Qt::Key_Return, KeyReturn},
        {Qt::Key_Enter, KeyReturn},
        {Qt::Key_Escape, KeyEscape},
        {Qt::Key_Space, KeySpace},
        {Qt::Key_PageUp, KeyPageUp},
        {Qt::Key_PageDown, KeyPageDown},
        {Qt::Key_End, KeyEnd},
        {Qt::Key_Home, KeyHome},
        {Qt::Key_Left, KeyLeft},
        {Qt::Key_Up, KeyUp},
        {Qt::Key_Right, KeyRight},
        {Qt::Key_Down, KeyDown},
        {Qt::Key_Insert, KeyInsert},
        {Qt::Key_Delete, KeyDelete},
    }};
    for (const auto &[qtKey, code] : table) {
        if (qtKey == key)
            return code;
    }
    return 0;
}

int shiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftShift;
    if (modifiers & Qt::AltModifier)
        state |= ShiftAlt;
    if (modifiers & Qt::ControlModifier)
        state |= ShiftCtrl;
    if (buttons & Qt::LeftButton)
        state |= ShiftLeftButton;
    if (buttons & Qt::RightButton)
        state |= ShiftRightButton;
    if (buttons & Qt::MiddleButton)
        state |= ShiftMiddleButton;
    return state;
}

} // namespace VirtualKeys
