#pragma once
// Qt's keys, modifiers and mouse buttons in the numbering of our forms:
// key codes as the original platform had them (Return 13, Escape 27,
// arrows 37-40, letters and digits as their upper-case ASCII codes), shift
// states 1 Shift, 2 Ctrl, 4 Alt, buttons 1 left, 2 right, 4 middle.

#include <Qt>

namespace qtview {

// 0 for a key without a code.
int formsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
int formsShift(Qt::KeyboardModifiers modifiers);
int formsButton(Qt::MouseButton button);
int formsButtons(Qt::MouseButtons buttons);

}  // namespace qtview
