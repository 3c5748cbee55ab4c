#include "qt/key_codes.h"

#include "forms/types.h"

namespace qtview {

int formsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return keypad ? 96 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // Qt numbers letters upper-case
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace:
            return forms::key::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return forms::key::Tab;
        case Qt::Key_Clear:
            return 12;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return forms::key::Return;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return forms::key::Escape;
        case Qt::Key_Space:
            return forms::key::Space;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return forms::key::Left;
        case Qt::Key_Up:
            return forms::key::Up;
        case Qt::Key_Right:
            return forms::key::Right;
        case Qt::Key_Down:
            return forms::key::Down;
        case Qt::Key_Print:
            return 42;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return forms::key::Delete;
        case Qt::Key_Asterisk:
            return keypad ? 106 : 0;
        case Qt::Key_Plus:
            return keypad ? 107 : 187;
        case Qt::Key_Minus:
            return keypad ? 109 : 189;
        case Qt::Key_Period:
            return keypad ? 110 : 190;
        case Qt::Key_Slash:
            return keypad ? 111 : 191;
        case Qt::Key_NumLock:
            return 144;
        case Qt::Key_ScrollLock:
            return 145;
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 186;
        case Qt::Key_Equal:
            return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_Question:
            return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 222;
        default:
            return 0;
    }
}

int formsShift(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) shift |= 1;
    if (modifiers.testFlag(Qt::ControlModifier)) shift |= 2;
    if (modifiers.testFlag(Qt::AltModifier)) shift |= 4;
    return shift;
}

int formsButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return forms::mouse::Left;
        case Qt::RightButton:
            return forms::mouse::Right;
        case Qt::MiddleButton:
            return forms::mouse::Middle;
        default:
            return 0;
    }
}

int formsButtons(Qt::MouseButtons buttons) {
    int b = 0;
    if (buttons.testFlag(Qt::LeftButton)) b |= forms::mouse::Left;
    if (buttons.testFlag(Qt::RightButton)) b |= forms::mouse::Right;
    if (buttons.testFlag(Qt::MiddleButton)) b |= forms::mouse::Middle;
    return b;
}

}  // namespace qtview
