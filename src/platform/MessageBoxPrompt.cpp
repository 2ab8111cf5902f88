#include "MessageBoxPrompt.h"

#include <QApplication>

#include "GbkText.h"
#include "UiLanguage.h"
#include "shell/ShellMessages.h"

namespace tavix {

QMessageBox::Icon MessageBoxPrompt::IconFor(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Exclamation:
            return QMessageBox::Warning;
        case PromptIcon::Stop:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::None:
            return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

std::unique_ptr<QMessageBox> MessageBoxPrompt::MakeBox(const std::string& text, PromptIcon icon,
                                                       bool question, QWidget* parent,
                                                       const std::string& detail) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QString::fromLatin1(kAppName));
    box->setIcon(IconFor(icon));
    box->setTextFormat(Qt::PlainText);
    box->setText(ShownText(text));
    if (!detail.empty()) {
        // In view below the message, never folded away behind a button: it
        // says what the device was left in and what to do (flights kept, do
        // not fly, read again). File names and system reasons are in the
        // system's encoding, not GBK.
        box->setInformativeText(QString::fromLocal8Bit(detail.c_str()));
    }
    if (question) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
    }
    return box;
}

QWidget* MessageBoxPrompt::Parent() const {
    if (parent_) {
        return parent_;
    }
    return QApplication::activeWindow();
}

void MessageBoxPrompt::Message(const std::string& text, PromptIcon icon,
                               const std::string& detail) {
    auto box = MakeBox(text, icon, false, Parent(), detail);
    box->exec();
}

bool MessageBoxPrompt::Ask(const std::string& text, PromptIcon icon) {
    auto box = MakeBox(text, icon, true, Parent());
    return box->exec() == QMessageBox::Yes;
}

bool MessageBoxPrompt::Confirm(const std::string& text, PromptIcon icon, const std::string& detail,
                               bool defaultYes) {
    auto box = MakeBox(text, icon, true, Parent());
    // Read before answering: below the question, not folded behind a button.
    box->setInformativeText(ShownText(detail));
    // Wide enough that a version line is not broken between its groups.
    box->setStyleSheet(QStringLiteral("QLabel#qt_msgbox_informativelabel { min-width: 26em; }"));
    box->setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box->exec() == QMessageBox::Yes;
}

}  // namespace tavix
