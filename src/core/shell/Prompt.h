#pragma once
// Modal message boxes. Every failure is reported with one box carrying the
// program's own text; questions are Yes/No. Texts are GBK bytes, as everywhere in core.

#include <string>

namespace tavix {

enum class PromptIcon { Information, Exclamation, Stop, Question, None };

class Prompt {
public:
    virtual ~Prompt() = default;
    // `detail`: what the user can act on (which file, which line, which system
    // error), shown below the text; the text itself stays the program's own.
    virtual void Message(const std::string& text, PromptIcon icon,
                         const std::string& detail = "") = 0;
    // Returns true for Yes.
    virtual bool Ask(const std::string& text, PromptIcon icon) = 0;
    // A question with lines below it that the user reads before answering
    // (shown, not folded away; GBK like the text), and the answer Enter gives:
    // No where Yes can do harm. Without an override it is asked as one text.
    virtual bool Confirm(const std::string& text, PromptIcon icon, const std::string& detail,
                         bool defaultYes) {
        (void)defaultYes;
        return Ask(detail.empty() ? text : text + "\r\n\r\n" + detail, icon);
    }
};

}  // namespace tavix
