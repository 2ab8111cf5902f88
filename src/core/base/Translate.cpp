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
// flags, widths and precisions, and "%%" left out: "%5.2f V, %ld" gives "f,ld,".
std::string Conversions(std::string_view format) {
    std::string kinds;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        ++i;
        while (i < format.size() && std::strchr("-+ #0123456789.*'", format[i]) != nullptr) {
            if (format[i] == '*') {
                kinds += '*';
            }
            ++i;
        }
        if (i < format.size() && format[i] == '%') {
            continue;
        }
        while (i < format.size() && std::strchr("hlLqjzt", format[i]) != nullptr) {
            kinds += format[i++];
        }
        if (i < format.size()) {
            kinds += format[i];
        }
        kinds += ',';
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
    if (text.empty() || !SamePrintfConversions(source, text)) {
        return source;
    }
    return text;
}

}  // namespace tavix
