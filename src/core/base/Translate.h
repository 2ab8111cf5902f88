#pragma once
// The program's own words in another language, for what the window shows.
//
// Message texts are English constants. Marked with TAVIX_TR, Qt's translation
// tools collect them (lupdate -tr-function-alias QT_TR_NOOP+=TAVIX_TR), yet
// the marker is nothing but its literal, so the core needs no Qt. A window
// installs a translator; the command-line tool and the tests install none and
// get the English bytes unchanged. Files and the wire never pass through
// here: only texts on their way to the screen do.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/FormatText.h"

// Marks a text the translation tools collect; expands to the literal itself.
#define TAVIX_TR(text) text

namespace tavix {

// Takes an English source text and gives its translation as program text
// (GBK bytes, like every other text the window decodes), or the source itself
// when it has none.
using Translator = std::function<std::string(const char* source)>;

// Installs the translator; an empty one goes back to English.
void SetTranslator(Translator translator);

// The text in the chosen language.
std::string Translate(const char* source);

// True when both texts hold the same printf conversions in the same order.
bool SamePrintfConversions(std::string_view a, std::string_view b);

// FormatText for a text that is shown: the format is translated first. A
// translation whose printf conversions differ from the source's is not used:
// formatting it would read the arguments wrongly.
template <typename... Args>
std::string FormatShown(const char* format, Args... args) {
    const std::string translated = Translate(format);
    return FormatText(SamePrintfConversions(format, translated) ? translated.c_str() : format,
                      args...);
}

// A text for the pilot kept with what it is written from, for a text that is
// both written to files (or the command line) and shown: Text() writes it in
// English, Shown() again in the window's language. The format is a marked
// text whose only conversions are "%s"; each argument is a written number or
// a marked word, and is translated too (a number has no translation), or a
// kept text of its own ("Start Mode: unknown value 9 -> Standard").
class MessageParts {
public:
    MessageParts() = default;
    explicit MessageParts(const char* format, std::vector<std::string> args = {});
    MessageParts(const char* format, std::initializer_list<MessageParts> args)
        : format_(format), args_(args) {}
    // One word or written number, translated as a whole when it is marked.
    static MessageParts Word(std::string word);

    std::string Text() const;
    std::string Shown() const;

private:
    const char* format_ = "";  // nullptr for a word
    std::string word_;
    std::vector<MessageParts> args_;
};

}  // namespace tavix
