#pragma once
// Modal message boxes. Every failure is reported with one box carrying the
// program's own text; questions are Yes/No. Texts are GBK bytes, as everywhere in core.

#include <string>

namespace tavix {

enum class PromptIcon { Information, Exclamation, Stop, Question, None };

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual void Message(const std::string& text, PromptIcon icon) = 0;
    // Returns true for Yes.
    virtual bool Ask(const std::string& text, PromptIcon icon) = 0;
};

}  // namespace tavix
