#include "view/limit_verdict.h"

#include <cmath>

#include "core/numbers.h"
#include "window/frm_main.h"

namespace morva {

namespace {

// A number in thousandths, a whole number held exactly in a double, so the
// comparisons below are exact.
double thousandths(double x) {
    return roundHalfEven(x * 1000.0);
}

std::optional<double> shownValue(std::string_view shown) {
    const size_t first = shown.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    const double v = thousandths(parseLeadingNumber(shown));
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

bool isLimit(double k) {
    return std::isfinite(k) && k > 0;
}

// The limit with as few decimals as show it exactly (one at least).
std::string limitNumber(double k) {
    const int decimals = std::fmod(k, 100.0) == 0 ? 1 : (std::fmod(k, 10.0) == 0 ? 2 : 3);
    return formatFixed(k / 1000.0, decimals);
}

struct Box {
    forms::PictureBox& panel;
    forms::Label& value;
    forms::Label& limit;
};

// Boxes in LimitRuntime order: sensitivity 0, 1, linearity 0, 1, waving 0, 1.
Box boxOf(FrmMain& w, size_t k) {
    const int i = static_cast<int>(k % 2);
    if (k < 2) return {w.pic_SensVal(i), w.lbl_SensVal(i), w.lbl_SensLimit(i)};
    if (k < 4) return {w.pic_LinVal(i), w.lbl_LinVal(i), w.lbl_LinLimit(i)};
    return {w.pic_WavVal(i), w.lbl_WavVal(i), w.lbl_WavLimit(i)};
}

bool covers(int panels, size_t k) {
    return (panels & (k < 2 ? kLimitSens : kLimitLin)) != 0;
}

void clearBox(Box b, std::optional<forms::Color>& normal) {
    if (normal) {
        // A run may have set its own colour meanwhile: that one stays.
        const forms::Color now = b.value.backColor();
        if (now == kWithinLimitColor || now == kOutsideLimitColor) b.value.setBackColor(*normal);
        normal.reset();
    }
    if (!b.limit.caption().empty()) b.limit.setCaption("");
    if (b.limit.visible()) b.limit.setVisible(false);
}

void showBox(Box b, std::optional<forms::Color>& normal, Verdict verdict, const std::string& text) {
    if (verdict == Verdict::None || text.empty()) {
        clearBox(b, normal);
        return;
    }
    if (!normal) normal = b.value.backColor();
    b.value.setBackColor(verdict == Verdict::Within ? kWithinLimitColor : kOutsideLimitColor);
    b.limit.setCaption(text);
    if (!b.limit.visible()) b.limit.setVisible(true);
}

}  // namespace

Verdict Judge_Band(std::string_view shown, float centre, float tol) {
    const double c = thousandths(centre);
    const double t = thousandths(tol);
    const std::optional<double> v = shownValue(shown);
    if (!isLimit(t) || !std::isfinite(c) || !v) return Verdict::None;
    return std::fabs(*v - c) <= t ? Verdict::Within : Verdict::Outside;
}

Verdict Judge_Max(std::string_view shown, float limit) {
    const double l = thousandths(limit);
    const std::optional<double> v = shownValue(shown);
    if (!isLimit(l) || !v) return Verdict::None;
    return std::fabs(*v) <= l ? Verdict::Within : Verdict::Outside;
}

std::string Band_LimitText(float centre, float tol) {
    const double c = thousandths(centre);
    const double t = thousandths(tol);
    if (!isLimit(t) || !std::isfinite(c)) return "";
    return limitNumber(c) + " \u00B1 " + limitNumber(t);
}

std::string Max_LimitText(float limit) {
    const double l = thousandths(limit);
    if (!isLimit(l)) return "";
    return "\u2264 " + limitNumber(l);
}

void Show_LimitVerdict(FrmMain& w, LimitRuntime& rt, int panels) {
    const ModelRecord& m = w.st.model;
    for (size_t k = 0; k < rt.normal.size(); ++k) {
        if (!covers(panels, k)) continue;
        const Box b = boxOf(w, k);
        const float limit = k < 4 ? m.Spec_Lin : m.Spec_Wav;
        const std::string& shown = b.value.caption();
        Verdict verdict = Verdict::None;
        std::string text;
        if (k < 2) {
            verdict = Judge_Band(shown, m.Spec_Sens_Centre, m.Spec_Sens_Tol);
            text = Band_LimitText(m.Spec_Sens_Centre, m.Spec_Sens_Tol);
        } else {
            verdict = Judge_Max(shown, limit);
            text = Max_LimitText(limit);
        }
        // Only the values on screen are judged.
        if (!b.panel.visible()) verdict = Verdict::None;
        showBox(b, rt.normal[k], verdict, text);
    }
}

void Clear_LimitVerdict(FrmMain& w, LimitRuntime& rt, int panels) {
    for (size_t k = 0; k < rt.normal.size(); ++k)
        if (covers(panels, k)) clearBox(boxOf(w, k), rt.normal[k]);
}

}  // namespace morva
