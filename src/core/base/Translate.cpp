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

// `format` with each "%s" replaced by the next argument (none left: nothing)
// and "%%" by '%'.
std::string FillIn(std::string_view format, const std::vector<std::string>& args) {
    std::string text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            text += next < args.size() ? args[next++] : std::string();
            ++i;
        } else if (c == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            text += '%';
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

MessageParts::MessageParts(const char* format, std::vector<std::string> args) : format_(format) {
    args_.reserve(args.size());
    for (std::string& arg : args) {
        args_.push_back(Word(std::move(arg)));
    }
}

MessageParts MessageParts::Word(std::string word) {
    MessageParts parts;
    parts.format_ = nullptr;
    parts.word_ = std::move(word);
    return parts;
}

std::string MessageParts::Text() const {
    if (format_ == nullptr) {
        return word_;
    }
    std::vector<std::string> words;
    words.reserve(args_.size());
    for (const MessageParts& arg : args_) {
        words.push_back(arg.Text());
    }
    return FillIn(format_, words);
}

std::string MessageParts::Shown() const {
    if (format_ == nullptr) {
        return Translate(word_.c_str());
    }
    const std::string translated = Translate(format_);
    std::vector<std::string> words;
    words.reserve(args_.size());
    for (const MessageParts& arg : args_) {
        words.push_back(arg.Shown());
    }
    return FillIn(SamePrintfConversions(format_, translated) ? translated : format_, words);
}

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
