#pragma once
// Basic types of our window system: lengths in twips (1/1440 inch), colours
// as 0x00BBGGRR, key codes and mouse buttons as the original platform
// numbered them, and the names of the properties a view observes.

#include <cstdint>

namespace forms {

using Twips = int32_t;
using Color = uint32_t;  // 0x00BBGGRR

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kButtonFace = 0xC0C0C0;
inline constexpr Color kWindowText = 0x000000;

inline constexpr int kTwipsPerInch = 1440;

// Key codes (KeyDown).
namespace key {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
}  // namespace key

// Mouse buttons (MouseDown/MouseMove/MouseUp).
namespace mouse {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
}  // namespace mouse

// Mouse pointer shapes.
enum class MousePointer { Default = 0, Arrow = 1, Hourglass = 11, SizeWE = 9 };

// What changed on a control, for a view that mirrors it.
enum class Property {
    Visible,
    Enabled,
    Geometry,
    Caption,
    Text,
    Value,
    Colors,
    Items,
    ListIndex,
    Picture,
    Font,
    ToolTip,
    MousePointer,
    Checked,
    Focus,
    Other
};

}  // namespace forms
