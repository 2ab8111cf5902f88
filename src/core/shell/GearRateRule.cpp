#include "shell/GearRateRule.h"

#include "base/PlainText.h"

#include <charconv>
#include <cmath>

namespace tavix {

namespace {

// "%.2f" of the value. Always with a decimal point: the window library sets the
// C locale from the user's, where printf would write "3,46" and strtod stop at
// the ".", so the C conversions are not used here.
std::string TwoDecimals(double value) {
    char text[400];  // the longest double in fixed notation, with two decimals
    const auto printed =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return printed.ec == std::errc() ? std::string(text, printed.ptr) : std::string("0.00");
}

}  // namespace

float RoundGearRate(double value) {
    const std::string text = TwoDecimals(value);
    float rounded = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return rounded;
}

bool IsUsableGearRate(double value) {
    // "nan" and "inf" also read as numbers from config.ini; they are no gear rate either.
    const float rounded = RoundGearRate(value);
    return std::isfinite(rounded) && rounded > 0.0f && rounded <= kMaxGearRate;
}

float InitialGearRate(double configured) {
    return IsUsableGearRate(configured) ? RoundGearRate(configured) : 1.0f;
}

std::string GearRateText(float value) {
    std::string s = TwoDecimals(static_cast<double>(value));
    const auto dot = s.find('.');
    if (dot != std::string::npos) {
        while (s.back() == '0') {
            s.pop_back();
        }
        if (s.back() == '.') {
            s.pop_back();
        }
    }
    return s;
}

GearRateEdit EditGearRate(const std::string& typed) {
    GearRateEdit edit;
    const std::string text = Trimmed(typed);
    if (text.empty()) {
        return edit;  // the user is retyping the number: nothing to take yet
    }
    // Only plain decimals: no sign, exponent, hexadecimal or "inf" that a
    // number conversion would also take.
    int dots = 0;
    int digits = 0;
    for (const char ch : text) {
        if (ch == '.') {
            ++dots;
        } else if (ch >= '0' && ch <= '9') {
            ++digits;
        } else {
            return edit;
        }
    }
    if (dots > 1 || digits == 0) {
        return edit;
    }
    double parsed = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), parsed);
    edit.value = RoundGearRate(parsed);
    // Beyond the largest gear rate the value stays as it was; 0 is taken, as
    // it is on the way to "0.5".
    edit.valid = edit.value <= kMaxGearRate;
    if (!edit.valid) {
        return edit;
    }
    const char lastChar = text.back();
    if (lastChar == '.' || lastChar == '0') {
        return edit;
    }
    edit.text = GearRateText(edit.value);
    edit.rewrite = edit.text != typed;
    return edit;
}

}  // namespace tavix
