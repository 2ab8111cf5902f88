// The "5.Upgrade" page in the whole window on the demo device: the version
// read on show, a firmware file chosen and flashed, the tab and the window
// held while the download runs.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <memory>

#include "DemoWindow.h"
#include "UiTestSupport.h"
#include "fakes/FakePrompt.h"
#include "fakes/FirmwareFixture.h"
#include "fakes/FixedClock.h"
#include "platform/SerialBackendFactory.h"
#include "shell/ShellMessages.h"
#include "sim/SimDevice.h"
#include "ui/app/AppRoot.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CQTabCtrl.h"
#include "ui/shell/CTavixApp.h"
#include "ui/shell/CTavixView.h"
#include "ui/upgrade/CUpgradeDlg.h"
#include "upgrade/FirmwareDownload.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {
namespace {

constexpr const char* kNewVersion = "TVKA20141L409999";

QString Joined(const std::array<QLineEdit*, 4>& boxes) {
    QString text;
    for (QLineEdit* box : boxes) {
        text += box->text();
    }
    return text;
}

class UpgradePageTest : public test::DemoWindowTest {
protected:
    // Starts on the demo device, opens it and shows the upgrade page.
    CUpgradeDlg* OpenUpgradePage() {
        if (!StartAndIdentify(kTabUpgrade)) {
            return nullptr;
        }
        ClickTab(kTabUpgrade);
        return qobject_cast<CUpgradeDlg*>(view->Page(kTabUpgrade));
    }

    void ClickTab(int tab) {
        QTabBar* strip = view->Tabs()->tabBar();
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(tab).center());
    }

    QString WriteFirmware(const Bytes& image, const std::string& version) {
        dir.Write(QStringLiteral("new.Dlc"),
                  QByteArray::fromStdString(test::FirmwareText(test::HexText(image), version)));
        return dir.File(QStringLiteral("new.Dlc"));
    }
};

TEST_F(UpgradePageTest, FlashesAFileAndShowsTheNewVersion) {
    CUpgradeDlg* page = OpenUpgradePage();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(view->CurrentTab(), kTabUpgrade);
    const QString oldVersion = QString::fromStdString(DemoDevice().Version());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Joined(page->CurrentVersionBoxes()) == oldVersion; },
                                kWaitMs));
    EXPECT_EQ(page->CurrentVersionBoxes()[0]->text(), oldVersion.left(4));
    EXPECT_TRUE(page->BrowseButton()->isEnabled());
    EXPECT_FALSE(page->StartButton()->isEnabled());
    EXPECT_FALSE(page->StopButton()->isEnabled());

    const QString file = WriteFirmware(test::PatternImage(1100), kNewVersion);
    page->SetFileChooser([&](QWidget*) { return file; });
    QTest::mouseClick(page->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(page->FileBox()->text(), file);
    EXPECT_EQ(Joined(page->FirmwareVersionBoxes()), QString::fromLatin1(kNewVersion));
    ASSERT_TRUE(page->StartButton()->isEnabled());

    // Start reads the ESC again, then asks, then sends.
    QTest::mouseClick(page->StartButton(), Qt::LeftButton);
    EXPECT_FALSE(page->BrowseButton()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->Busy(); }, kWaitMs));
    EXPECT_EQ(prompt.Last(), kMsgConfirmUpgrade);
    EXPECT_TRUE(page->StopButton()->isEnabled());
    EXPECT_FALSE(page->StartButton()->isEnabled());
    EXPECT_FALSE(page->BrowseButton()->isEnabled());
    EXPECT_FALSE(view->OpenDeviceButton()->isEnabled());

    // While it runs the page cannot be left (and says why), and closing asks first.
    ClickTab(kTabWelcome);
    EXPECT_EQ(view->CurrentTab(), kTabUpgrade);
    EXPECT_TRUE(QTest::qWaitFor([&] { return prompt.Last() == kMsgTabDuringDownload; }, kWaitMs));
    EXPECT_FALSE(view->SelectTab(kTabRecord));
    prompt.answers = {false};
    EXPECT_FALSE(app.MainFrame()->close());
    EXPECT_EQ(prompt.Last(), kMsgExitDuringDownload);
    EXPECT_TRUE(page->isVisible());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->Busy(); }, kWaitMs));
    EXPECT_EQ(prompt.Last(), kMsgDownloadSuccessful);
    EXPECT_EQ(Joined(page->CurrentVersionBoxes()), QString::fromLatin1(kNewVersion));
    EXPECT_EQ(page->BlockLabel()->text(), QStringLiteral("block 3 of 3, 100%"));
    EXPECT_EQ(DemoDevice().Version(), kNewVersion);
    EXPECT_EQ(DemoDevice().FirmwareImage(), test::PatternImage(1100));
    // The main window's version pane follows.
    EXPECT_EQ(view->VersionText(), QString::fromLatin1(kNewVersion));

    // Done: the other pages open again.
    EXPECT_TRUE(view->OpenDeviceButton()->isEnabled());
    ClickTab(kTabWelcome);
    EXPECT_EQ(view->CurrentTab(), kTabWelcome);
}

TEST_F(UpgradePageTest, FirmwareForOtherHardwareChangesTheDescriptionToo) {
    CUpgradeDlg* page = OpenUpgradePage();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->BrowseButton()->isEnabled(); }, kWaitMs));
    const QString before = view->DescriptionText();
    const QString file = WriteFirmware(test::PatternImage(100), "TVKB20140V200400");
    page->SetFileChooser([&](QWidget*) { return file; });
    QTest::mouseClick(page->BrowseButton(), Qt::LeftButton);
    QTest::mouseClick(page->StartButton(), Qt::LeftButton);  // the scripted answer: Yes
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->Busy(); }, kWaitMs));
    EXPECT_EQ(prompt.shown.back().text, kMsgOtherHardware);
    EXPECT_FALSE(prompt.shown.back().defaultYes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.Last() == kMsgDownloadSuccessful; }, kWaitMs));
    EXPECT_EQ(view->VersionText(), QStringLiteral("TVKB20140V200400"));
    EXPECT_NE(view->DescriptionText(), before);
    EXPECT_TRUE(view->DescriptionText().startsWith(QStringLiteral("Velmor series ESC")));
}

TEST_F(UpgradePageTest, AnInvalidFileIsRefusedWithItsMessage) {
    CUpgradeDlg* page = OpenUpgradePage();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->BrowseButton()->isEnabled(); }, kWaitMs));
    dir.Write(QStringLiteral("bad.Dlc"), QByteArray("0102:5:1234567890ABCDEF:1:"));
    page->SetFileChooser([&](QWidget*) { return dir.File(QStringLiteral("bad.Dlc")); });
    QTest::mouseClick(page->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(prompt.Last(), kMsgInvalidFirmwareFile);
    EXPECT_FALSE(page->StartButton()->isEnabled());
    // Nothing of the refused file stays on the page.
    EXPECT_EQ(page->FileBox()->text(), QString());
    EXPECT_EQ(Joined(page->FirmwareVersionBoxes()), QString());
}

}  // namespace
}  // namespace tavix
