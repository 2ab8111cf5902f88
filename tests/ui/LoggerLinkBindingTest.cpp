// The main window wired to the logger session and the record document: Open
// Device and Upload on the demo device end with the last flight on the record
// page, and a record file that is refused leaves the window as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "DemoWindow.h"
#include "UiTestSupport.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerMessages.h"
#include "platform/SerialBackendFactory.h"
#include "plot/CurveModel.h"
#include "shell/ShellTexts.h"
#include "sim/SimDevice.h"
#include "ui/logger/LoggerLinkBinding.h"
#include "ui/plot/RecordPage.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixApp.h"
#include "ui/shell/CTavixView.h"

namespace tavix {
namespace {

using LoggerLinkBindingTest = test::DemoWindowTest;

TEST_F(LoggerLinkBindingTest, UploadEndsWithTheLastFlightOnTheRecordPage) {
    CTavixView* view = Start();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->UploadButton()->isEnabled());

    QTest::mouseClick(view->OpenDeviceButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->IsConnected(); }, kWaitMs));
    for (int tab = 0; tab < kTabCount; ++tab) {
        EXPECT_TRUE(view->IsTabEnabled(tab)) << tab;
    }
    EXPECT_TRUE(view->UploadButton()->isEnabled());
    EXPECT_EQ(view->VersionText(), QStringLiteral("TVKA20141L400312"));
    EXPECT_FALSE(view->DescriptionText().isEmpty());

    ASSERT_TRUE(view->SelectTab(kTabRecord));
    view->SetNoteText(QStringLiteral("club field"));
    QTest::mouseClick(view->UploadButton(), Qt::LeftButton);
    const QString last = dir.File(QStringLiteral("2014-3-7_3.dat"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.MainFrame()->DocumentPath() == last && !binding->Link().State().busy; },
        kWaitMs))
        << prompt.Last();

    // Four flights, one too short: three files, the last one is the document.
    for (const char* name : {"2014-3-7_1.dat", "2014-3-7_2.dat", "2014-3-7_3.dat"}) {
        EXPECT_TRUE(QFile::exists(dir.File(QString::fromLatin1(name)))) << name;
    }
    ASSERT_EQ(prompt.Texts().size(), 2u);
    EXPECT_EQ(prompt.Texts()[0].rfind(kMsgConfirmUpload, 0), 0u);
    EXPECT_NE(prompt.Texts()[0].find("Note: club field"), std::string::npos);
    EXPECT_EQ(prompt.Texts()[1], binding->Link().State().summary);
    EXPECT_EQ(view->CurrentTab(), kTabRecord);
    EXPECT_EQ(view->NoteText(), QStringLiteral("club field"));
    // The curves of the last flight are drawn and its statistics filled.
    EXPECT_TRUE(view->RecordView()->Model().RecordPresent());
    // On the record page the chart can be saved as an image.
    EXPECT_TRUE(app.MainFrame()->Action(QStringLiteral("actionSaveJpg"))->isEnabled());
    EXPECT_EQ(view->RecordView()->StatisticLabel(RecordPage::kStatSamplingRate)->text(),
              QString::number(app.Config().Record().header.rate));
    EXPECT_TRUE(app.Config().Record().dataLoaded);
}

TEST_F(LoggerLinkBindingTest, ARefusedRecordFileLeavesTheWindowAsItWas) {
    CTavixView* view = Start();
    ASSERT_NE(view, nullptr);
    dir.Write(QStringLiteral("short.dat"), QByteArray(100, '\0'));
    EXPECT_FALSE(app.MainFrame()->OpenRecordFile(dir.File(QStringLiteral("short.dat"))));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.Last().find("is too short"), std::string::npos) << prompt.Last();
    EXPECT_EQ(view->CurrentTab(), kTabWelcome);
    EXPECT_FALSE(view->IsTabEnabled(kTabRecord));
    EXPECT_FALSE(app.Config().Record().dataLoaded);
    EXPECT_TRUE(app.MainFrame()->DocumentPath().isEmpty());
}

}  // namespace
}  // namespace tavix
