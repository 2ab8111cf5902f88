// The "2.Parameter Setting" tab on the demo device: it shows the page of the
// identified series, reads the ESC's block into it, writes it back on
// "Update", and ignores its buttons while hidden.
#include <gtest/gtest.h>
#include <algorithm>

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "DemoWindow.h"
#include "UiTestSupport.h"
#include "device/IdentifySession.h"
#include "esc/EscMessages.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "link/LinkMessages.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UserEscPresets.h"
#include "shell/ShellMessages.h"
#include "sim/SimDevice.h"
#include "ui/app/AppRoot.h"
#include "ui/esc/CSettingDlg.h"
#include "ui/esc/EscPageHolder.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixApp.h"
#include "ui/shell/CTavixView.h"

namespace tavix {
namespace {

class EscPageTest : public test::DemoWindowTest {
protected:
    // The window on the demo device of `series`, identified, with the
    // parameter tab shown.
    EscPage* OpenParameterTab(sim::Series series) {
        UseDevice(series);
        if (!StartAndIdentify(kTabParameter) || !view->SelectTab(kTabParameter)) {
            return nullptr;
        }
        auto* holder = dynamic_cast<EscPageHolder*>(view->Page(kTabParameter));
        return holder != nullptr ? holder->Current() : nullptr;
    }
    // A data folder of the test's own (history, presets) until the result is dropped.
    static std::shared_ptr<test::TempDir> OwnDataFolder() {
        const char* was = std::getenv("XDG_DATA_HOME");
        const std::string before = was != nullptr ? was : "";
        auto* data = new test::TempDir;
        setenv("XDG_DATA_HOME", data->Path().c_str(), 1);
        return std::shared_ptr<test::TempDir>(data, [before](test::TempDir* d) {
            setenv("XDG_DATA_HOME", before.c_str(), 1);
            delete d;
        });
    }
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
    const auto asked = std::find_if(prompt.shown.begin(), prompt.shown.end(),
                                    [](const auto& s) { return s.text == kMsgEscConfirmUpdate; });
    ASSERT_NE(asked, prompt.shown.end());
    EXPECT_NE(asked->detail.find("-> Hard Brake"), std::string::npos) << asked->detail;

    // Another tab: the page closes its port, and its buttons do nothing.
    ASSERT_TRUE(view->SelectTab(kTabWelcome));
    EXPECT_FALSE(page->Comm().GetPortOpen());
    page->DefaultButton()->click();
    EXPECT_EQ(page->List(2)->currentIndex(), 2);
    page->UpdateButton()->click();
    EXPECT_EQ(prompt.Last(), kMsgEscUpdateComplete);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 1);
}

// An ESC that stops answering the page is gone for the main form too: its
// connection icon goes off, as after a time-out of its own.
TEST_F(EscPageTest, ATimeOutOnThePageTurnsTheMainFormsConnectionOff) {
    EscPage* page = OpenParameterTab(sim::Series::Tarrow);
    ASSERT_NE(page, nullptr) << prompt.Last();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->ReadButton()->isEnabled(); }, kWaitMs))
        << prompt.Last();
    ASSERT_TRUE(view->IsConnected());

    device->MutableFaults().silent = true;
    QTest::mouseClick(page->ReadButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.Last() == kMsgConnectTimeout; }, kWaitMs));
    EXPECT_FALSE(view->IsConnected());
    EXPECT_FALSE(binding->Identity().State().connected);
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
    // In the smallest window the lists keep their height (the settings
    // scroll) and the buttons stay whole.
    for (std::size_t i = 0; i < page->Table().lists.size(); ++i) {
        const QComboBox* list = page->List(static_cast<int>(i));
        if (!list->isHidden()) {
            EXPECT_GE(list->height(), list->minimumSizeHint().height()) << i;
        }
    }
    EXPECT_EQ(page->UpdateButton()->visibleRegion().boundingRect().size(),
              page->UpdateButton()->size());

    // Typing into the temperature offset keeps digits only.
    QLineEdit* offset = page->Field(EscField::TemperatureOffset);
    offset->clear();
    QTest::keyClicks(offset, QStringLiteral("3x0"));
    EXPECT_EQ(offset->text(), QStringLiteral("30"));
    EXPECT_EQ(page->Session().State().Text(EscField::TemperatureOffset), "30");
    QTest::keyClicks(offset, QStringLiteral("0"));  // 300: beyond what the ESC holds
    EXPECT_TRUE(offset->toolTip().endsWith(QStringLiteral("\n") +
                                           QString::fromLatin1(kMsgTemperatureOffsetRange)))
        << offset->toolTip().toStdString();

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
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgEscLoadedNotSent});
    EXPECT_FALSE(page->List(7)->styleSheet().isEmpty());  // marked: not in the ESC yet

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

TEST_F(EscPageTest, APresetAppliedMarksThePageAndOnlyUpdateWritesIt) {
    const auto data = OwnDataFolder();
    EscPage* page = OpenParameterTab(sim::Series::Tarrow);
    ASSERT_NE(page, nullptr) << prompt.Last();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->UpdateButton()->isEnabled(); }, kWaitMs));
    EscPresetMenu* menu = page->PresetsMenu();
    ASSERT_EQ(page->PresetsButton()->menu(), menu);
    menu->askName = [](const QString&) { return QStringLiteral("race"); };

    page->List(7)->setCurrentIndex(2);
    emit page->List(7)->activated(2);  // PWM Rate 16 KHz
    menu->SavePage();
    prompt.answers = {false};
    menu->SavePage();  // the same name again: asked, and No keeps the first
    ASSERT_EQ(prompt.Texts(),
              (std::vector<std::string>{"A preset named \"race\" exists already. Replace it?"}));
    EXPECT_EQ(UserEscPresets().Save("boat", "Tavix ESC parameters\nSeries: Velmor\n", false), "");

    // Listed on opening: the Velmor preset can't be applied to this Tarrow.
    emit menu->aboutToShow();
    const QMenu* apply = nullptr;
    for (const QAction* action : menu->actions()) {
        if (action->text() == QString::fromLatin1(kMenuApplyPreset)) {
            apply = action->menu();
        }
    }
    ASSERT_NE(apply, nullptr);
    ASSERT_EQ(apply->actions().size(), 2);
    EXPECT_EQ(apply->actions()[0]->text(), QStringLiteral("boat (Velmor)"));
    EXPECT_FALSE(apply->actions()[0]->isEnabled());
    EXPECT_TRUE(apply->actions()[1]->isEnabled());

    // Back to 8 KHz on the ESC's page; the preset puts 16 KHz on it, marked, unsent.
    page->List(7)->setCurrentIndex(0);
    emit page->List(7)->activated(0);
    prompt.shown.clear();
    apply->actions()[1]->trigger();
    EXPECT_EQ(page->List(7)->currentText(), QStringLiteral("16 KHz"));
    EXPECT_FALSE(page->List(7)->styleSheet().isEmpty());
    // Its tooltip says what the parameter does, and that the value is not yet in the ESC.
    EXPECT_TRUE(page->List(7)->toolTip().startsWith(QStringLiteral("Switching frequency")));
    EXPECT_TRUE(page->List(7)->toolTip().endsWith(QString::fromLatin1(kTipEscChanged)));
    EXPECT_TRUE(page->List(6)->toolTip().startsWith(QStringLiteral("Holds the motor speed")));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].text.ends_with("changes:\r\n\r\nPWM Rate: 8 KHz -> 16 KHz"))
        << prompt.shown[0].text;
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);

    QTest::mouseClick(page->UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.Last() == kMsgEscUpdateComplete; }, kWaitMs));
    EXPECT_EQ(prompt.shown[1].detail, "PWM Rate: 8 KHz -> 16 KHz");
    EXPECT_EQ(device->ParamBlock()[8], 2);
}

TEST_F(EscPageTest, BatchWritesThePagesValuesAndThePageReadsTheEscAgainAfter) {
    const auto data = OwnDataFolder();
    EscPage* page = OpenParameterTab(sim::Series::Tarrow);
    ASSERT_NE(page, nullptr) << prompt.Last();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->UpdateButton()->isEnabled(); }, kWaitMs));
    page->List(7)->setCurrentIndex(1);
    emit page->List(7)->activated(1);  // PWM Rate 12 KHz, on the page only

    QTest::mouseClick(page->BatchButton(), Qt::LeftButton);
    EscBatchDlg* batch = page->BatchDialog();
    ASSERT_NE(batch, nullptr);
    batch->Count()->setValue(1);
    QTest::mouseClick(batch->StartButton(), Qt::LeftButton);
    EXPECT_FALSE(page->Comm().GetPortOpen());  // the batch has the line
    EXPECT_EQ(batch->StartButton()->text(), QString::fromLatin1(kBtnBatchStop));
    ASSERT_TRUE(QTest::qWaitFor([&] { return batch->Batch()->Finished(); }, kWaitMs))
        << batch->Line()->text().toStdString();
    EXPECT_TRUE(batch->Batch()->Succeeded());
    ASSERT_EQ(batch->Rows()->rowCount(), 1);
    EXPECT_EQ(batch->Rows()->item(0, 3)->text(), QStringLiteral("written"));
    EXPECT_EQ(device->ParamBlock()[8], 1);

    const QString report = dir.File(QStringLiteral("batch.csv"));
    batch->chooseReport = [&](const QString&) { return report; };
    QTest::mouseClick(batch->ReportButton(), Qt::LeftButton);
    QFile csv(report);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().startsWith("esc,version,series,result,not_taken\n1,"));

    batch->reject();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return page->Session().State().phase == EscPhase::Linked && page->Comm().GetPortOpen();
        },
        kWaitMs));
    EXPECT_TRUE(page->List(7)->styleSheet().isEmpty());  // read again: the ESC holds 12 KHz
    EXPECT_TRUE(prompt.shown.empty()) << prompt.Last();
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

TEST_F(EscPageTest, HistoryShowsTheDifferencesAndRestoreThenReadAsksFirst) {
    // A history of its own, so that snapshots of other tests do not show.
    const auto data = OwnDataFolder();
    EscPage* page = OpenParameterTab(sim::Series::Velmor);
    ASSERT_NE(page, nullptr) << prompt.Last();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->UpdateButton()->isEnabled(); }, kWaitMs));

    // Brake Types to "Hard Brake", Update: the page reads back and it took.
    page->List(2)->setCurrentIndex(2);
    emit page->List(2)->activated(2);
    EXPECT_FALSE(page->List(2)->styleSheet().isEmpty());
    EXPECT_TRUE(page->List(1)->styleSheet().isEmpty());
    QTest::mouseClick(page->UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.Last() == kMsgEscUpdateComplete; }, kWaitMs));
    EXPECT_TRUE(page->List(2)->styleSheet().isEmpty());

    // History: the read of identification and the write, newest first.
    QTest::mouseClick(page->HistoryButton(), Qt::LeftButton);
    EscHistoryDlg* history = page->HistoryDialog();
    ASSERT_NE(history, nullptr);
    ASSERT_EQ(history->Shown().size(), 2u);
    EXPECT_EQ(history->Shown()[0].reason, "after-write");
    history->Snapshots()->setCurrentRow(1);
    QStringList marked;
    for (int r = 0; r < history->Values()->rowCount(); ++r) {
        if (history->Values()->item(r, 0)->text().startsWith(QChar(0x2260))) {
            marked << history->Values()->item(r, 0)->text();
        }
    }
    EXPECT_EQ(marked, QStringList{QString::fromUtf8("\u2260 Brake  Types")});

    // "Read from ESC" on a page with changes not yet written asks first; No keeps them.
    page->List(2)->setCurrentIndex(0);
    emit page->List(2)->activated(0);
    prompt.answers = {false};
    QTest::mouseClick(page->ReadButton(), Qt::LeftButton);
    EXPECT_EQ(prompt.Last(), kMsgEscReadOverChanges);
    EXPECT_EQ(page->List(2)->currentIndex(), 0);

    // Restore: says what it changes, writes the snapshot and reads it back.
    QTest::mouseClick(history->RestoreButton(), Qt::LeftButton);
    ASSERT_EQ(prompt.shown.back().text, kMsgEscConfirmRestore);
    EXPECT_EQ(prompt.shown.back().detail, "Brake  Types: Hard Brake -> No Brake");
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt.Last() == kMsgEscUpdateComplete; }, kWaitMs));
    EXPECT_EQ(device->ParamBlock()[3], 0);
    EXPECT_EQ(page->List(2)->currentIndex(), 0);
    EXPECT_TRUE(page->List(2)->styleSheet().isEmpty());
}

}  // namespace
}  // namespace tavix
