#pragma once
// printf-style formatting of the program's message texts into a std::string.

#include <cstdio>
#include <string>
#include <type_traits>

namespace tavix {

// Arguments are plain numbers or C strings (pass std::string through .c_str()).
template <typename... Args>
std::string FormatText(const char* format, Args... args) {
    // A std::string passed through printf's "..." prints garbage, and the
    // compiler lets it through without a word.
    static_assert(((std::is_arithmetic_v<Args> || std::is_pointer_v<Args>)&&...),
                  "FormatText takes numbers and C strings: pass a std::string as .c_str()");
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) {
        return std::string();
    }
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

}  // namespace tavix
