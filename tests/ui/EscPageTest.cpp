// The "2.Parameter Setting" tab on the demo device: it shows the page of the
// identified series, reads the ESC's block into it, writes it back on
// "Update", and ignores its buttons while hidden.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "UiTestSupport.h"
#include "esc/EscMessages.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "platform/SerialBackendFactory.h"
#include "shell/ShellTexts.h"
#include "sim/SimDevice.h"
#include "ui/CMainFrame.h"
#include "ui/CTavixApp.h"
#include "ui/CTavixView.h"
#include "ui/LoggerLinkBinding.h"
#include "ui/esc/CSettingDlg.h"
#include "ui/esc/EscPageHolder.h"

namespace tavix {
namespace {

constexpr int kWaitMs = 10000;

class EscPageTest : public ::testing::Test {
protected:
    EscPageTest() {
        QStandardPaths::setTestModeEnabled(true);
        QFile::copy(QStringLiteral(TAVIX_SOURCE_DIR "/res/config.ini"),
                    dir.File(QStringLiteral("config.ini")));
        app.SetWiring([this](CTavixApp& a, CMainFrame& frame) {
            binding = std::make_unique<LoggerLinkBinding>(frame, a.Config(), a.Ini(), a.GetPrompt(),
                                                          a.GetClock(), a.PortOption());
        });
    }
    ~EscPageTest() override {
        if (app.MainFrame() != nullptr) {
            app.MainFrame()->ExitWithoutQuestion();
        }
        SetDemoDevice(std::make_shared<sim::SimDevice>());
    }

    // The window on the demo device of `series`, identified, with the
    // parameter tab shown.
    EscPage* OpenParameterTab(sim::Series series) {
        device = std::make_shared<sim::SimDevice>(series);
        SetDemoDevice(device);
        CommandLine line;
        line.port = "demo";
        if (!app.InitInstance(line)) {
            return nullptr;
        }
        view = app.MainFrame()->View();
        QTest::mouseClick(view->OpenDeviceButton(), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return view->IsTabEnabled(kTabParameter); }, kWaitMs) ||
            !view->SelectTab(kTabParameter)) {
            return nullptr;
        }
        auto* holder = dynamic_cast<EscPageHolder*>(view->Page(kTabParameter));
        return holder != nullptr ? holder->Current() : nullptr;
    }

    test::ScratchDir dir;
    test::FakePrompt prompt;
    test::FixedClock clock;
    CTavixApp app{prompt, clock};
    std::unique_ptr<LoggerLinkBinding> binding;
    std::shared_ptr<sim::SimDevice> device;
    CTavixView* view = nullptr;
};

TEST_F(EscPageTest, ShownOnTheDemoDeviceItReadsTheBlockAndWritesItOnUpdate) {
    EscPage* page = OpenParameterTab(sim::Series::Tarrow);
    ASSERT_NE(page, nullptr) << prompt.Last();
    EXPECT_NE(dynamic_cast<CSettingDlg*>(page), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->UpdateButton()->isEnabled(); }, kWaitMs))
        << prompt.Last();

    EXPECT_EQ(page->findChild<QGroupBox*>(QStringLiteral("seriesGroup"))->title(),
              QStringLiteral("Tarrow series"));
    // The page's own words, not those of another page built into the program.
    QStringList labels;
    for (const QLabel* label : page->findChildren<QLabel*>()) {
        labels << label->text();
    }
    EXPECT_TRUE(labels.contains(QStringLiteral("Firmware Version:")))
        << labels.join(u'|').toStdString();
    EXPECT_TRUE(labels.contains(QStringLiteral("Status:")));
    const QStringList groups = {page->VersionBox(0)->text(), page->VersionBox(1)->text(),
                                page->VersionBox(2)->text(), page->VersionBox(3)->text()};
    EXPECT_EQ(groups.join(QString()), QString::fromLatin1(sim::kTarrowVersion));
    EXPECT_EQ(page->List(0)->currentText(), QStringLiteral("5.0V"));
    EXPECT_EQ(page->List(3)->currentText(), QStringLiteral("Auto"));
    EXPECT_EQ(page->Field(EscField::ThrottleRange)->text(), QStringLiteral("640"));
    EXPECT_EQ(page->Progress()->value(), 100);
    EXPECT_TRUE(page->IconConnected());

    // The user picks "Hard Brake" and updates.
    page->List(2)->setCurrentIndex(2);
    emit page->List(2)->activated(2);
    QTest::mouseClick(page->UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.Last() == kMsgEscUpdateComplete; }, kWaitMs))
        << prompt.Last();
    EXPECT_EQ(device->ParamBlock()[3], 2);

    // Another tab: the page closes its port, and its buttons do nothing.
    ASSERT_TRUE(view->SelectTab(kTabWelcome));
    EXPECT_FALSE(page->Comm().GetPortOpen());
    page->DefaultButton()->click();
    EXPECT_EQ(page->List(2)->currentIndex(), 2);
    page->UpdateButton()->click();
    EXPECT_EQ(prompt.Last(), kMsgEscUpdateComplete);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 1);
}

TEST_F(EscPageTest, TheTabShowsThePageOfTheIdentifiedSeries) {
    EscPage* page = OpenParameterTab(sim::Series::Ostrin);
    ASSERT_NE(page, nullptr) << prompt.Last();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->UpdateButton()->isEnabled(); }, kWaitMs))
        << prompt.Last();
    EXPECT_EQ(page->Table().name, "Ostrin");
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->Field(EscField::Neutral)->text(), QStringLiteral("1500"));
    EXPECT_EQ(page->List(4)->currentText(), QString::fromUtf8("95\u2103(203F)"));
    EXPECT_TRUE(page->Field(EscField::TemperatureOffset)->isEnabled());

    // Typing into the temperature offset keeps digits only.
    QLineEdit* offset = page->Field(EscField::TemperatureOffset);
    offset->clear();
    QTest::keyClicks(offset, QStringLiteral("3x0"));
    EXPECT_EQ(offset->text(), QStringLiteral("30"));
    EXPECT_EQ(page->Session().State().Text(EscField::TemperatureOffset), "30");

    // "Default Value" sets the lists and the offset, not the calibration.
    QTest::mouseClick(page->DefaultButton(), Qt::LeftButton);
    EXPECT_EQ(offset->text(), QStringLiteral("0"));
    EXPECT_EQ(page->Field(EscField::Neutral)->text(), QStringLiteral("1500"));
}

TEST_F(EscPageTest, SaveAndLoadAParameterFile) {
    EscPage* page = OpenParameterTab(sim::Series::Tarrow);
    ASSERT_NE(page, nullptr) << prompt.Last();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->UpdateButton()->isEnabled(); }, kWaitMs));
    const QString path = dir.File(QStringLiteral("tarrow.esc.txt"));
    int asked = 0;
    page->chooseFile = [&](bool, const QString&) {
        ++asked;
        return path;
    };
    page->List(7)->setCurrentIndex(2);
    emit page->List(7)->activated(2);  // PWM Rate 16 KHz
    QTest::mouseClick(page->SaveButton(), Qt::LeftButton);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("\nPWM Rate: 16 KHz\n"));

    page->List(7)->setCurrentIndex(0);
    emit page->List(7)->activated(0);
    QTest::mouseClick(page->LoadButton(), Qt::LeftButton);
    EXPECT_EQ(page->List(7)->currentText(), QStringLiteral("16 KHz"));
    EXPECT_EQ(prompt.shown.size(), 0u);

    // A file of another series changes nothing.
    dir.Write(QStringLiteral("tarrow.esc.txt"),
              "Tavix ESC parameters\nSeries: Peldan\nPWM Rate: 8 KHz\n");
    QTest::mouseClick(page->LoadButton(), Qt::LeftButton);
    EXPECT_EQ(
        prompt.Last(),
        "The file holds parameters of the Peldan series, but this is the Tarrow series page!");
    EXPECT_EQ(page->List(7)->currentText(), QStringLiteral("16 KHz"));

    // Hidden, the buttons do nothing.
    ASSERT_TRUE(view->SelectTab(kTabWelcome));
    asked = 0;
    page->SaveButton()->click();
    page->LoadButton()->click();
    EXPECT_EQ(asked, 0);
}

TEST_F(EscPageTest, OpenDeviceOnTheTabShowsThePageOfTheNewSeries) {
    EscPage* tarrow = OpenParameterTab(sim::Series::Tarrow);
    ASSERT_NE(tarrow, nullptr) << prompt.Last();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tarrow->UpdateButton()->isEnabled(); }, kWaitMs));

    // Another ESC is plugged in and identified while the tab is on screen.
    device = std::make_shared<sim::SimDevice>(sim::Series::Velmor);
    SetDemoDevice(device);
    QTest::mouseClick(view->OpenDeviceButton(), Qt::LeftButton);
    auto* holder = dynamic_cast<EscPageHolder*>(view->Page(kTabParameter));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return holder->Current() != tarrow && holder->Current()->UpdateButton()->isEnabled();
        },
        kWaitMs))
        << prompt.Last();
    EXPECT_EQ(view->CurrentTab(), kTabParameter);
    EXPECT_EQ(holder->Current()->Table().name, "Velmor");
    EXPECT_TRUE(holder->Current()->isVisible());
    EXPECT_FALSE(tarrow->Comm().GetPortOpen());
    EXPECT_TRUE(prompt.shown.empty()) << prompt.Last();
}

}  // namespace
}  // namespace tavix
