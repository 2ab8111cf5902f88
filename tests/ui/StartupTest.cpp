// The program's start-up in its order.
#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

#include "UiTestSupport.h"
#include "base/FormatText.h"
#include "config/CAppConfig.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "shell/ShellMessages.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixApp.h"
#include "ui/shell/CTavixView.h"

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
    // Where it looked, absolute, and how to get one.
    const std::string folder = QDir::currentPath().toStdString();
    EXPECT_EQ(prompt.shown[1].detail,
              FormatText(kNoConfigFileDetail, "config.ini", folder.c_str()));
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST_F(StartupTest, ConfigFileGivesTheMainWindow) {
    dir.Write(QStringLiteral("config.ini"), test::kMinimalConfig);
    CTavixApp app(prompt, clock);
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

}  // namespace
}  // namespace tavix
