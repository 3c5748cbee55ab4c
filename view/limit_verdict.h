#pragma once
// Limits at a glance: after a finished measurement (or a loaded data file)
// each value panel that is shown is coloured by whether its value lies
// within the selected model's limit, and the limit is written under the
// panel's title. A limit of 0 is no limit: the panel keeps its own colour
// and shows no limit. The verdict is cleared again, back to the colour the
// value had before it, when a run starts or the model, tape mode or TV
// standard changes.
//
// Values are judged as the panel shows them (one decimal) against the
// limit as it is written (up to three decimals), so what the technician
// reads always agrees with the colour, and a data file read back gets the
// verdict the run that wrote it got. Nothing here enters a data file.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "forms/types.h"

namespace morva {

class FrmMain;

enum class Verdict { None, Within, Outside };

// Readable behind the black bold value text.
inline constexpr forms::Color kWithinLimitColor = 0x50D050;   // green
inline constexpr forms::Color kOutsideLimitColor = 0x6060FF;  // red

// Sensitivity: within when |value - centre| <= tol; no limit when tol is 0.
Verdict Judge_Band(std::string_view shown, float centre, float tol);
// Linearity and waving are spans, never negative: within when |value| <=
// limit (a hand-edited file's negative value is judged by its size); no
// limit when the limit is 0.
Verdict Judge_Max(std::string_view shown, float limit);
// "40.0 ± 10.0" and "≤ 2.5"; empty when there is no limit.
std::string Band_LimitText(float centre, float tol);
std::string Max_LimitText(float limit);

// The colour each value label had before its verdict (sensitivity 0, 1,
// linearity 0, 1, waving 0, 1); empty while it has none.
struct LimitRuntime {
    std::array<std::optional<forms::Color>, 6> normal{};
};

// `panels`: LimitPanels (window/procedures.h). Show judges the values of
// the panels that are shown and clears the others it covers.
void Show_LimitVerdict(FrmMain& w, LimitRuntime& rt, int panels);
void Clear_LimitVerdict(FrmMain& w, LimitRuntime& rt, int panels);

}  // namespace morva
