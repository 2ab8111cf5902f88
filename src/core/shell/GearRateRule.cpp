#include "shell/GearRateRule.h"

#include <cstdio>
#include <cstdlib>

namespace tavix {

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

}  // namespace

float RoundGearRate(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return std::strtof(text, nullptr);
}

float InitialGearRate(double configured) {
    const float rounded = RoundGearRate(configured);
    return rounded > 0.0f ? rounded : 1.0f;
}

std::string GearRateText(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    std::string s = text;
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
    const std::string text = Trim(typed);
    if (text.empty()) {
        return edit;  // the user is retyping the number: nothing to take yet
    }
    // Only plain decimals: no sign, exponent, hexadecimal or "inf" that the C
    // conversion would also take.
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
    const double parsed = std::strtod(text.c_str(), nullptr);
    edit.valid = true;
    edit.value = RoundGearRate(parsed);
    const char lastChar = text.back();
    if (lastChar == '.' || lastChar == '0') {
        return edit;
    }
    edit.text = GearRateText(edit.value);
    edit.rewrite = edit.text != typed;
    return edit;
}

}  // namespace tavix
