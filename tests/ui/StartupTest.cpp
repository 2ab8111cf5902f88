// The program's start-up in its order, and the text conversions at the edge.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include "UiTestSupport.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "platform/GbkText.h"
#include "platform/MessageBoxPrompt.h"
#include "shell/ShellTexts.h"
#include "ui/CMainFrame.h"
#include "ui/CTavixApp.h"
#include "ui/CTavixView.h"

namespace tavix {
namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }

    test::ScratchDir dir;
    test::FakePrompt prompt;
    test::FixedClock clock;
};

TEST_F(StartupTest, NoConfigFileEndsWithBothMessagesInOrder) {
    CTavixApp app(prompt, clock);
    EXPECT_FALSE(app.InitInstance(CommandLine{}));
    EXPECT_EQ(prompt.Texts(),
              (std::vector<std::string>{"Can't get hardware version!", "Incorrect config file!"}));
    EXPECT_EQ(prompt.shown[1].detail, "config.ini: No such file or directory");
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST_F(StartupTest, ConfigFileGivesTheMainWindow) {
    dir.Write(QStringLiteral("config.ini"), test::kMinimalConfig);
    CTavixApp app(prompt, clock);
    EXPECT_EQ(CTavixApp::Instance(), &app);
    int wired = 0;
    app.SetWiring([&](CTavixApp& a, CMainFrame& frame) {
        ++wired;
        EXPECT_EQ(&a, &app);
        EXPECT_FALSE(frame.isVisible());  // wired before it is shown
    });
    CommandLine line;
    line.port = "demo";
    ASSERT_TRUE(app.InitInstance(line));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(wired, 1);
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(app.MainFrame()->windowTitle(), QString::fromLatin1(kUntitledTitle));
    EXPECT_EQ(app.PortOption(), "demo");
    EXPECT_EQ(app.Config().comPort, 3);
    EXPECT_FLOAT_EQ(app.MainFrame()->View()->GearRate(), 2.5f);
    EXPECT_EQ(app.MainFrame()->View()->PoleNumber(), 14);
    app.MainFrame()->ExitWithoutQuestion();
}

TEST_F(StartupTest, RecordFileOnTheCommandLineIsOpenedAfterWiring) {
    dir.Write(QStringLiteral("config.ini"), test::kMinimalConfig);
    CTavixApp app(prompt, clock);
    QStringList opened;
    app.SetWiring([&](CTavixApp&, CMainFrame& frame) {
        frame.SetRecordOpener([&](const QString& path) {
            opened << path;
            return true;
        });
    });
    CommandLine line;
    line.file = "2014-3-7_1.dat";
    ASSERT_TRUE(app.InitInstance(line));
    EXPECT_EQ(opened, QStringList{dir.File(QStringLiteral("2014-3-7_1.dat"))});
    EXPECT_EQ(app.MainFrame()->windowTitle(), QStringLiteral("2014-3-7_1.dat - Tavix"));
    app.MainFrame()->ExitWithoutQuestion();
}

TEST(GbkText, DegreeSignAndChineseRoundTrip) {
    ASSERT_TRUE(GbkAvailable());
    bool ok = false;
    const QString celsius = FromGbk("Temperature(\xA1\xE6)", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(celsius, QStringLiteral("Temperature(\u2103)"));
    EXPECT_EQ(ToGbk(celsius, &ok), "Temperature(\xA1\xE6)");
    EXPECT_TRUE(ok);
    const QString chinese = QString::fromUtf8("\xE6\xB8\xA9\xE5\xBA\xA6");  // two CJK characters
    EXPECT_EQ(FromGbk(ToGbk(chinese)), chinese);
}

TEST(GbkText, BadInputIsFlaggedNotLost) {
    bool ok = true;
    const QString text = FromGbk("ab\x81", &ok);  // a lead byte with nothing after it
    EXPECT_FALSE(ok);
    EXPECT_TRUE(text.startsWith(QStringLiteral("ab")));
    ok = true;
    ToGbk(QString::fromUtf8("\xF0\x9F\x98\x80"), &ok);  // no emoji in GBK
    EXPECT_FALSE(ok);
}

TEST(GbkText, FallbackTableCoversTheProgramsOwnSymbols) {
    bool ok = false;
    EXPECT_EQ(gbk_detail::FromGbkFallback("T\xA1\xE6", &ok), QStringLiteral("T\u2103"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(gbk_detail::ToGbkFallback(QStringLiteral("T\u2103"), &ok), "T\xA1\xE6");
    EXPECT_TRUE(ok);
    const QString unknown = gbk_detail::FromGbkFallback("\xD6\xD0x", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(unknown, QString(QChar(QChar::ReplacementCharacter)) + QLatin1Char('x'));
    EXPECT_EQ(gbk_detail::ToGbkFallback(QString::fromUtf8("\xE4\xB8\xAD"), &ok), "?");
    EXPECT_FALSE(ok);
}

TEST(MessageBoxPrompt, BoxesCarryTheTextIconAndButtons) {
    auto box = MessageBoxPrompt::MakeBox(kMsgReallyExit, PromptIcon::Question, true, nullptr);
    EXPECT_EQ(box->text(), QString::fromLatin1(kMsgReallyExit));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Tavix"));

    auto info = MessageBoxPrompt::MakeBox("Temp \xA1\xE6", PromptIcon::Stop, false, nullptr);
    EXPECT_EQ(info->text(), QStringLiteral("Temp \u2103"));
    EXPECT_EQ(info->standardButtons(), QMessageBox::Ok);
    EXPECT_TRUE(info->detailedText().isEmpty());
    auto detailed = MessageBoxPrompt::MakeBox(kMsgReallyExit, PromptIcon::Stop, false, nullptr,
                                              "r\xC3\xA9"
                                              "cords/config.ini: Is a directory");
    EXPECT_EQ(detailed->detailedText(), QStringLiteral("r\u00E9cords/config.ini: Is a directory"));
    EXPECT_EQ(MessageBoxPrompt::IconFor(PromptIcon::Information), QMessageBox::Information);
    EXPECT_EQ(MessageBoxPrompt::IconFor(PromptIcon::Exclamation), QMessageBox::Warning);
    EXPECT_EQ(MessageBoxPrompt::IconFor(PromptIcon::Stop), QMessageBox::Critical);
}

}  // namespace
}  // namespace tavix
