#include "base/Translate.h"

#include <cstring>
#include <utility>

namespace tavix {

namespace {

Translator& Installed() {
    static Translator translator;
    return translator;
}

// The conversions of a printf format with their length modifiers, without
// flags, widths and precisions, and "%%" left out: "%5.2f V, %ld" gives
// "f,ld,". A '%' that starts no conversion ("%1" of a Qt text, "% of") is
// plain text.
std::string Conversions(std::string_view format) {
    const auto any = [&](std::size_t i, const char* set) {
        return i < format.size() && format[i] != '\0' && std::strchr(set, format[i]) != nullptr;
    };
    std::string kinds;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        std::size_t k = i + 1;
        if (any(k, "%")) {
            i = k;
            continue;
        }
        std::string kind;
        while (any(k, "-+#0'")) {
            ++k;
        }
        while (any(k, "0123456789*")) {
            kind += format[k] == '*' ? "*" : "";
            ++k;
        }
        if (any(k, ".")) {
            ++k;
            while (any(k, "0123456789*")) {
                kind += format[k] == '*' ? "*" : "";
                ++k;
            }
        }
        while (any(k, "hlLqjzt")) {
            kind += format[k++];
        }
        if (any(k, "diouxXeEfFgGaAcspn")) {
            kinds += kind + format[k] + ',';
            i = k;
        }
    }
    return kinds;
}

}  // namespace

void SetTranslator(Translator translator) {
    Installed() = std::move(translator);
}

bool SamePrintfConversions(std::string_view a, std::string_view b) {
    return Conversions(a) == Conversions(b);
}

std::string Translate(const char* source) {
    if (source == nullptr) {
        return std::string();
    }
    const Translator& translator = Installed();
    if (!translator) {
        return source;
    }
    std::string text = translator(source);
    return text.empty() ? std::string(source) : text;
}

}  // namespace tavix
