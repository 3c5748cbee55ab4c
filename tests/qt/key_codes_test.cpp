// Qt keys, modifiers and buttons in the forms' numbering.

#include <gtest/gtest.h>

#include "forms/types.h"
#include "qt/key_codes.h"

namespace {

using qtview::formsKeyCode;

TEST(KeyCodes, ControlKeysHaveTheirOriginalCodes) {
    EXPECT_EQ(formsKeyCode(Qt::Key_Return), forms::key::Return);
    EXPECT_EQ(formsKeyCode(Qt::Key_Enter, Qt::KeypadModifier), forms::key::Return);
    EXPECT_EQ(formsKeyCode(Qt::Key_Escape), forms::key::Escape);
    EXPECT_EQ(formsKeyCode(Qt::Key_Backspace), forms::key::Back);
    EXPECT_EQ(formsKeyCode(Qt::Key_Backtab), forms::key::Tab);
    EXPECT_EQ(formsKeyCode(Qt::Key_Delete), forms::key::Delete);
    EXPECT_EQ(formsKeyCode(Qt::Key_Left), 37);
    EXPECT_EQ(formsKeyCode(Qt::Key_Up), 38);
    EXPECT_EQ(formsKeyCode(Qt::Key_Right), 39);
    EXPECT_EQ(formsKeyCode(Qt::Key_Down), 40);
    EXPECT_EQ(formsKeyCode(Qt::Key_F1), 112);
    EXPECT_EQ(formsKeyCode(Qt::Key_F12), 123);
    EXPECT_EQ(formsKeyCode(Qt::Key_Home), 36);
    EXPECT_EQ(formsKeyCode(Qt::Key_PageDown), 34);
}

TEST(KeyCodes, LettersAndDigitsAreUpperCaseAscii) {
    EXPECT_EQ(formsKeyCode(Qt::Key_A), 'A');
    EXPECT_EQ(formsKeyCode(Qt::Key_Z, Qt::ShiftModifier), 'Z');
    EXPECT_EQ(formsKeyCode(Qt::Key_0), '0');
    EXPECT_EQ(formsKeyCode(Qt::Key_9), '9');
    // The numeric keypad has codes of its own.
    EXPECT_EQ(formsKeyCode(Qt::Key_0, Qt::KeypadModifier), 96);
    EXPECT_EQ(formsKeyCode(Qt::Key_7, Qt::KeypadModifier), 103);
    EXPECT_EQ(formsKeyCode(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(formsKeyCode(Qt::Key_Minus), 189);
}

TEST(KeyCodes, KeysWithoutACodeGiveZero) {
    EXPECT_EQ(formsKeyCode(Qt::Key_unknown), 0);
    EXPECT_EQ(formsKeyCode(Qt::Key_VolumeUp), 0);
    EXPECT_EQ(formsKeyCode(Qt::Key_Asterisk), 0);
}

TEST(KeyCodes, ShiftStatesAndMouseButtons) {
    EXPECT_EQ(qtview::formsShift(Qt::NoModifier), 0);
    EXPECT_EQ(qtview::formsShift(Qt::ShiftModifier), 1);
    EXPECT_EQ(qtview::formsShift(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(qtview::formsShift(Qt::ShiftModifier | Qt::KeypadModifier), 1);
    EXPECT_EQ(qtview::formsButton(Qt::LeftButton), forms::mouse::Left);
    EXPECT_EQ(qtview::formsButton(Qt::RightButton), forms::mouse::Right);
    EXPECT_EQ(qtview::formsButton(Qt::MiddleButton), forms::mouse::Middle);
    EXPECT_EQ(qtview::formsButton(Qt::BackButton), 0);
    EXPECT_EQ(qtview::formsButtons(Qt::LeftButton | Qt::RightButton), 3);
}

}  // namespace
