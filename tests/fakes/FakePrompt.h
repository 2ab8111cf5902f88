#pragma once
// Scripted message boxes: records every message and question in order and
// answers questions from a queue (Yes when the queue is empty, unless told).

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/Prompt.h"

namespace tavix::test {

class FakePrompt : public Prompt {
public:
    struct Shown {
        std::string text;
        PromptIcon icon;
        bool question;
        std::string detail;
        bool defaultYes = true;  // of a question
    };

    void Message(const std::string& text, PromptIcon icon,
                 const std::string& detail = "") override {
        shown.push_back({text, icon, false, detail});
        if (onShow) {
            onShow(text);
        }
    }
    bool Ask(const std::string& text, PromptIcon icon) override {
        return Confirm(text, icon, {}, true);
    }
    bool Confirm(const std::string& text, PromptIcon icon, const std::string& detail,
                 bool defaultYes) override {
        shown.push_back({text, icon, true, detail, defaultYes});
        if (onShow) {
            onShow(text);
        }
        if (answers.empty()) {
            return defaultAnswer;
        }
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& s : shown) {
            texts.push_back(s.text);
        }
        return texts;
    }
    std::string Last() const { return shown.empty() ? std::string() : shown.back().text; }

    std::vector<Shown> shown;
    std::deque<bool> answers;
    bool defaultAnswer = true;
    // Runs while the "box" is open, like a modal loop that still dispatches events.
    std::function<void(const std::string&)> onShow;
};

}  // namespace tavix::test
