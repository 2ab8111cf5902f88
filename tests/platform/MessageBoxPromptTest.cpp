// The program's message boxes: text, detail, icon and buttons.
#include "platform/MessageBoxPrompt.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "shell/ShellMessages.h"

namespace tavix {
namespace {

TEST(MessageBoxPrompt, BoxesCarryTheTextIconAndButtons) {
    auto box = MessageBoxPrompt::MakeBox(kMsgReallyExit, PromptIcon::Question, true, nullptr);
    EXPECT_EQ(box->text(), QString::fromLatin1(kMsgReallyExit));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Tavix"));

    auto info = MessageBoxPrompt::MakeBox("Temp \xA1\xE6", PromptIcon::Stop, false, nullptr);
    EXPECT_EQ(info->text(), QStringLiteral("Temp \u2103"));
    EXPECT_EQ(info->standardButtons(), QMessageBox::Ok);
    EXPECT_TRUE(info->informativeText().isEmpty());
    auto detailed = MessageBoxPrompt::MakeBox(kMsgReallyExit, PromptIcon::Stop, false, nullptr,
                                              "r\xC3\xA9"
                                              "cords/config.ini: Is a directory");
    EXPECT_EQ(detailed->informativeText(),
              QStringLiteral("r\u00E9cords/config.ini: Is a directory"));
    EXPECT_EQ(MessageBoxPrompt::IconFor(PromptIcon::Information), QMessageBox::Information);
    EXPECT_EQ(MessageBoxPrompt::IconFor(PromptIcon::Exclamation), QMessageBox::Warning);
    EXPECT_EQ(MessageBoxPrompt::IconFor(PromptIcon::Stop), QMessageBox::Critical);
}

}  // namespace
}  // namespace tavix
