#pragma once
// Message boxes and input boxes, through one interface so that tests answer
// them by script and read back every prompt shown. Styles and answers are
// numbered as on the original platform.

#include <string>

namespace forms {

namespace msg {
// Buttons (low bits).
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
// Icons.
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
// Default button.
inline constexpr int DefaultButton1 = 0;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;

inline int buttons(int style) {
    return style & 7;
}
inline int icon(int style) {
    return style & 0x70;
}
inline int defaultButton(int style) {
    return (style >> 8) & 3;
}  // 0-based
}  // namespace msg

// Answers.
enum class MsgResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The answer a box gives when its default button is taken.
MsgResult defaultAnswer(int style);

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows a modal message box and returns the button pressed.
    virtual MsgResult msgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // Shows a modal input box; Cancel gives the empty text.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
};

}  // namespace forms
