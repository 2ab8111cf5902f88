// The record page's channel controls: the Y axis and the colours written to
// config.ini at once, the display flags not at all, a failed write reported,
// and the controls of channels the record does not have disabled.
#include "ui/plot/ChannelControls.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "UiTestSupport.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "ui/plot/CColorPicker.h"

namespace tavix {
namespace {

constexpr const char* kConfig =
    "[display]\r\nyaxis=0\r\ncolor0=255\r\ncolor1=16711680\r\ncolor2=32768\r\ncolor3=33023\r\n"
    "color4=8388736\r\ncolor5=8421376\r\ncolor6=8421504\r\ncolor7=4210816\r\nn0=1\r\n\r\n"
    "[hardware]\r\ndefault=1L40\r\n\r\n[1L40]\r\nvalmin=0\r\nvalmax=30\r\n\r\n";

class ChannelControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write(QStringLiteral("config.ini"), kConfig);
        ini.SetFilePath(dir.File(QStringLiteral("config.ini")).toStdString());
        ASSERT_TRUE(ini.Load());
        ASSERT_TRUE(config.LoadStartupSettings(ini, prompt, clock, onScreen));
        // A 5-channel record in which Current is hidden and Reserve 2 shown.
        FlightRecord& record = onScreen;
        record.header.channels = kUploadChannels;
        record.channels[1].visible = 0;
        record.channels[6].visible = 1;
        record.channels[7].visible = 0;
        record.header.yAxis = 2;
        controls = std::make_unique<ChannelControls>(config, onScreen, ini, prompt);
        controls->show();
        yAxis = std::make_unique<QSignalSpy>(controls.get(), &ChannelControls::yAxisChanged);
        visible =
            std::make_unique<QSignalSpy>(controls.get(), &ChannelControls::channelVisibleChanged);
        colour =
            std::make_unique<QSignalSpy>(controls.get(), &ChannelControls::channelColourChanged);
    }

    QByteArray File() const { return dir.Read(QStringLiteral("config.ini")); }

    test::ScratchDir dir;
    CIniFile ini;
    CAppConfig config;
    std::unique_ptr<FlightRecord> onScreenRecord = std::make_unique<FlightRecord>();
    FlightRecord& onScreen = *onScreenRecord;
    test::FakePrompt prompt;
    test::FixedClock clock;
    std::unique_ptr<ChannelControls> controls;
    std::unique_ptr<QSignalSpy> yAxis, visible, colour;
};

TEST_F(ChannelControlsTest, ShowsTheRecordAndDisablesChannelsItDoesNotHave) {
    EXPECT_TRUE(controls->YAxisButton(2)->isChecked());
    for (int ch = 0; ch < kChannelCount; ++ch) {
        SCOPED_TRACE(ch);
        const bool present = ch < kUploadChannels;
        const bool shown = onScreen.channels[ch].visible != 0;
        EXPECT_EQ(controls->YAxisButton(ch)->isEnabled(), present);
        EXPECT_EQ(controls->DisplayBox(ch)->isEnabled(), present);
        // Disabled or not, each still shows its flag and colour.
        EXPECT_EQ(controls->DisplayBox(ch)->isChecked(), shown);
        EXPECT_EQ(controls->Picker(ch)->Colour(), onScreen.channels[ch].colour);
        // A colour can be changed only for a curve that is drawn.
        EXPECT_EQ(controls->Picker(ch)->isEnabled(), present && shown);
    }
    EXPECT_EQ(controls->Picker(5)->Colour(), 8421376u);

    // Another record: nothing is written and nothing is signalled.
    const QByteArray before = File();
    onScreen.header.channels = 8;
    onScreen.header.yAxis = 7;
    onScreen.channels[3].colour = 0x123456;
    controls->SetRecord();
    EXPECT_TRUE(controls->YAxisButton(7)->isChecked());
    EXPECT_TRUE(controls->YAxisButton(7)->isEnabled());
    EXPECT_EQ(controls->Picker(3)->Colour(), 0x123456u);
    EXPECT_EQ(File(), before);
    EXPECT_EQ(yAxis->count() + visible->count() + colour->count(), 0);
}

TEST_F(ChannelControlsTest, YAxisAndColourChangesAreWrittenToConfigIni) {
    QTest::mouseClick(controls->YAxisButton(3), Qt::LeftButton);
    EXPECT_EQ(onScreen.header.yAxis, 3);
    ASSERT_EQ(yAxis->count(), 1);
    EXPECT_EQ(yAxis->at(0).at(0).toInt(), 3);
    EXPECT_TRUE(File().contains("[display]\r\nyaxis=3\r\ncolor0=255\r\n")) << File().constData();

    // Channels not on the Y axis: yellow for Current, pure blue for Voltage.
    controls->DisplayBox(1)->click();
    controls->Picker(1)->SetColour(0x00FFFF);  // as the palette does on a choice
    controls->Picker(0)->SetColour(0xFF0000);
    EXPECT_TRUE(File().contains("color0=16711680\r\ncolor1=65535\r\n")) << File().constData();
    EXPECT_EQ(onScreen.channels[0].colour, 0xFF0000u);
    ASSERT_EQ(colour->count(), 2);
    EXPECT_EQ(colour->at(0).at(0).toInt(), 1);
    EXPECT_EQ(colour->at(0).at(1).value<std::uint32_t>(), 0x00FFFFu);
    EXPECT_EQ(yAxis->count(), 1);

    // The channel on the Y axis: its labels are redrawn and both are saved,
    // also when the file's Y axis was changed behind the window's back.
    ini.PutInt("display", "yaxis", 0, true);
    controls->Picker(3)->SetColour(0x00FF00);
    EXPECT_TRUE(File().contains("yaxis=3\r\n"));
    EXPECT_TRUE(File().contains("color3=65280\r\n"));
    ASSERT_EQ(yAxis->count(), 2);
    EXPECT_EQ(yAxis->at(1).at(0).toInt(), 3);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ChannelControlsTest, DisplayFlagsChangeTheRecordOnly) {
    const QByteArray before = File();
    QTest::mouseClick(controls->DisplayBox(0), Qt::LeftButton);
    EXPECT_EQ(onScreen.channels[0].visible, 0);
    EXPECT_FALSE(controls->Picker(0)->isEnabled());
    controls->DisplayBox(1)->click();
    EXPECT_TRUE(controls->Picker(1)->isEnabled());
    ASSERT_EQ(visible->count(), 2);
    EXPECT_EQ(visible->at(0), (QList<QVariant>{0, false}));
    EXPECT_EQ(visible->at(1), (QList<QVariant>{1, true}));
    EXPECT_EQ(File(), before);
}

TEST_F(ChannelControlsTest, AConfigIniThatCannotBeWrittenIsReported) {
    ini.SetFilePath(dir.File(QStringLiteral("gone/config.ini")).toStdString());
    controls->YAxisButton(4)->click();
    controls->Picker(2)->SetColour(0x0000FF);
    // The settings hold for this run.
    EXPECT_EQ(onScreen.header.yAxis, 4);
    EXPECT_EQ(onScreen.channels[2].colour, 0x0000FFu);
    ASSERT_EQ(prompt.shown.size(), 2u);
    for (const auto& shown : prompt.shown) {
        EXPECT_EQ(shown.text.rfind("The setting holds until Tavix closes, but ", 0), 0u);
        EXPECT_NE(shown.text.find("gone/config.ini"), std::string::npos) << shown.text;
        EXPECT_EQ(shown.icon, PromptIcon::Exclamation);
    }
}

}  // namespace
}  // namespace tavix
