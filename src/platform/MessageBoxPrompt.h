#pragma once
// Message boxes on Qt: the program's one way to report a failure, a success
// or to ask Yes/No. The texts come from core as GBK bytes.

#include <QMessageBox>
#include <QPointer>
#include <memory>

#include "shell/Prompt.h"

namespace tavix {

class MessageBoxPrompt : public Prompt {
public:
    // `parent`: the window the boxes belong to; without one, the active window.
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }

    void Message(const std::string& text, PromptIcon icon, const std::string& detail = "") override;
    bool Ask(const std::string& text, PromptIcon icon) override;
    bool Confirm(const std::string& text, PromptIcon icon, const std::string& detail,
                 bool defaultYes) override;

    static QMessageBox::Icon IconFor(PromptIcon icon);
    // The box as it is shown: title "Tavix", the text, OK or Yes/No (Yes the
    // default), and the detail, when there is one, as its detailed text.
    static std::unique_ptr<QMessageBox> MakeBox(const std::string& text, PromptIcon icon,
                                                bool question, QWidget* parent,
                                                const std::string& detail = "");

private:
    QWidget* Parent() const;

    QPointer<QWidget> parent_;
};

}  // namespace tavix
