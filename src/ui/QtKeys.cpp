#include "ui/QtKeys.h"

namespace tessel {

namespace {

// The keypad's own keys; 0 for the others (arrows and the like with Num Lock off).
int KeypadKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return vk::Numpad0 + key - Qt::Key_0;
    switch (key) {
    case Qt::Key_Asterisk: return vk::Multiply;
    case Qt::Key_Plus: return vk::Add;
    case Qt::Key_Minus: return vk::Subtract;
    case Qt::Key_Slash: return vk::Divide;
    case Qt::Key_Period:
    case Qt::Key_Comma: return vk::Decimal;
    case Qt::Key_Enter: return vk::Return;
    default: return 0;
    }
}

int MainKey(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;   // the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case 0: return 0;
    case Qt::Key_Backspace: return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Return;
    case Qt::Key_Shift: return vk::Shift;
    case Qt::Key_Control: return vk::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return vk::Menu;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Asterisk: return vk::Digit0 + 8;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return vk::OemPlus;
    case Qt::Key_Minus: return vk::OemMinus;
    case Qt::Key_Slash: return vk::Oem2;
    case Qt::Key_Period: return vk::OemPeriod;
    default: return vk::Oem1;
    }
}

} // namespace

KeyStroke KeyStrokeOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    KeyStroke stroke;
    stroke.ctrl = held & Qt::ControlModifier;
    stroke.alt = held & Qt::AltModifier;
    stroke.shift = held == Qt::ShiftModifier;
    if (modifiers & Qt::KeypadModifier)
        stroke.key = KeypadKey(qtKey);
    if (stroke.key == 0) {
        stroke.key = MainKey(qtKey);
        // Made with Shift on a US keyboard, whether or not this one needed it.
        if (qtKey == Qt::Key_Asterisk || qtKey == Qt::Key_Plus)
            stroke.shift = !(held & ~Qt::ShiftModifier);
    }
    return stroke;
}

} // namespace tessel
