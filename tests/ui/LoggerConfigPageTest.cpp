// The "3.Logger Configuration" page in the main window on the demo device:
// shown, it reads the logger; what Update writes comes back at the next
// show; "Clear Data" beside it empties the logger and the page shows it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "DemoWindow.h"
#include "UiTestSupport.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "logger/LoggerMessages.h"
#include "loggercfg/LoggerCfgMessages.h"
#include "loggercfg/LoggerParamSession.h"
#include "platform/SerialBackendFactory.h"
#include "shell/ShellMessages.h"
#include "sim/SimDevice.h"
#include "ui/app/AppRoot.h"
#include "ui/loggercfg/CLoggerConfigDlg.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixApp.h"
#include "ui/shell/CTavixView.h"

namespace tavix {
namespace {

class LoggerConfigPageTest : public test::DemoWindowTest {
protected:
    // The window on the demo device, identified, with the logger page shown
    // and its header read.
    CLoggerConfigDlg* StartOnLoggerPage() {
        if (!StartAndIdentify(kTabLogger)) {
            return nullptr;
        }
        auto* page = qobject_cast<CLoggerConfigDlg*>(view->Page(kTabLogger));
        if (page == nullptr || !view->SelectTab(kTabLogger) || !WaitRead(page)) {
            return nullptr;
        }
        return page;
    }

    static bool WaitRead(CLoggerConfigDlg* page) {
        return QTest::qWaitFor([&] { return page->UpdateButton()->isEnabled(); }, kWaitMs);
    }
};

TEST_F(LoggerConfigPageTest, ReadUpdateReadBackAndClear) {
    CLoggerConfigDlg* page = StartOnLoggerPage();
    ASSERT_NE(page, nullptr) << prompt.Last();
    EXPECT_EQ(page->CycleList()->currentText(), QStringLiteral("not reverse"));
    EXPECT_EQ(page->RateList()->currentText(), QStringLiteral("5 ps"));
    EXPECT_EQ(page->FlightTimesBox()->text(), QStringLiteral("4"));
    EXPECT_FALSE(view->ClearButton()->isHidden());

    // The user picks "reverse" and "30 ps" with the keyboard.
    page->CycleList()->setFocus();
    QTest::keyClick(page->CycleList(), Qt::Key_Down);
    page->RateList()->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(page->RateList(), Qt::Key_Down);
    }
    QTest::mouseClick(page->UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.Last() == kMsgLoggerUpdated; }, kWaitMs))
        << prompt.Last();
    EXPECT_EQ(device->Memory()[20], 1);
    EXPECT_EQ(device->Memory()[22], 30);

    // Another tab and back: the page reads the logger again.
    ASSERT_TRUE(view->SelectTab(kTabWelcome));
    EXPECT_TRUE(view->ClearButton()->isHidden());
    device->ClearLog();
    ASSERT_TRUE(view->SelectTab(kTabLogger));
    ASSERT_TRUE(QTest::qWaitFor([&] { return device->RequestCount(4) == 1; }, kWaitMs));
    ASSERT_TRUE(WaitRead(page));
    EXPECT_EQ(page->CycleList()->currentText(), QStringLiteral("reverse"));
    EXPECT_EQ(page->RateList()->currentText(), QStringLiteral("30 ps"));

    // "Clear Data" borrows the page's port (the demo device opens on one
    // port at a time) and gives it back; the page reads the emptied logger.
    prompt.shown.clear();
    QTest::mouseClick(view->ClearButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return page->FlightTimesBox()->text() == QStringLiteral("0"); }, kWaitMs))
        << prompt.Last();
    EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{kMsgConfirmClear, kMsgCleared}));
    EXPECT_TRUE(page->Session().State().portOpen);

    // "Open Device" on this tab takes every page's port; once the device has
    // answered, the page on screen has its own back.
    QTest::mouseClick(view->OpenDeviceButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return view->OpenDeviceButton()->isEnabled() && page->Session().State().portOpen; },
        kWaitMs));
    EXPECT_EQ(view->CurrentTab(), kTabLogger);
}

}  // namespace
}  // namespace tavix
