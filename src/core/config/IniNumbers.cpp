#include "config/IniNumbers.h"

#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tavix {

namespace {

// The blanks that atoi and atof skip in the "C" locale.
bool IsCBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int IniToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate with a margin above the int range and clamp at the end, so a
    // long run of digits neither overflows nor wraps into a surprising value.
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude <= kLimit) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

double IniToReal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCBlank(text[i])) {
        ++i;
    }
    // Every number strtod accepts starts with one of these; checking it here
    // keeps the current locale's idea of blanks out of the picture.
    if (i == text.size() || std::strchr("+-.0123456789iInN", text[i]) == nullptr) {
        return 0.0;
    }
    std::string number(text.substr(i));

    const char* point = std::localeconv()->decimal_point;
    if (point != nullptr && point[0] != '\0' && std::strcmp(point, ".") != 0) {
        // In the "C" locale the locale's decimal point is never part of a
        // number, so the number ends before it; then the '.' of the text is
        // spelt the way the current locale's strtod expects.
        const std::size_t localePoint = number.find(point[0]);
        if (localePoint != std::string::npos) {
            number.resize(localePoint);
        }
        const std::size_t dot = number.find('.');
        if (dot != std::string::npos) {
            number.replace(dot, 1, point);
        }
    }
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace tavix
