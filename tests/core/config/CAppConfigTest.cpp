#include "config/CAppConfig.h"

#include "base/FormatText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "config/CIniFile.h"
#include "core/config/CIniFileFixture.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

using test::FakePrompt;
using test::FixedClock;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// A config.ini as shipped: two profiles, the first one chosen at start.
const char* const kConfig =
    "[communicateset]\r\n"
    "port=3\r\n"
    "\r\n"
    "[display]\r\n"
    "yaxis=1\r\n"
    "color0=255\r\n"
    "color1=65280\r\n"
    "color2=16711680\r\n"
    "color3=33023\r\n"
    "color4=16711935\r\n"
    "color5=8421504\r\n"
    "color6=32896\r\n"
    "color7=-1\r\n"
    "line0=1\r\nline1=2\r\nline2=1\r\nline3=1\r\nline4=3\r\nline5=1\r\nline6=1\r\nline7=1\r\n"
    "n0=4\r\nn1=8\r\nn2=1\r\nn3=16\r\nn4=2\r\nn5=1\r\nn6=0\r\n"
    "\r\n"
    "[gearrate]\r\n"
    "default=4.3\r\n"
    "\r\n"
    "[polnumber]\r\n"
    "default=14\r\n"
    "\r\n"
    "[hardware]\r\n"
    "default=1A02\r\n"
    "\r\n"
    "[1A02]\r\n"
    "description=Logger v2, 60 V\r\n"
    "kvalue0=0.01\r\ncvalue0=0.5\r\n"
    "kvalue1=0.1\r\ncvalue1=-0.2\r\n"
    "kvalue2=0.4\r\ncvalue2=0\r\n"
    "kvalue3=0.5\r\ncvalue3=-20\r\n"
    "kvalue4=0.000001\r\ncvalue4=7\r\n"
    "valmin=5\r\nvalmax=60\r\ncurmin=0\r\ncurmax=200.5\r\n"
    "\r\n"
    "[1B07]\r\n"
    "description=Logger v3\r\n"
    "kvalue0=0.02\r\ncvalue0=0\r\n"
    "kvalue7=3\r\ncvalue7=1\r\n"
    "valmin=1\r\nvalmax=30\r\ncurmin=-10\r\ncurmax=100\r\n"
    "\r\n";

class CAppConfigTest : public CIniFileTest {
protected:
    void Load(const std::string& text) { LoadText(text); }

    CAppConfig config;
    // The record the settings fill in: the window's flight.
    std::unique_ptr<FlightRecord> onScreenRecord = std::make_unique<FlightRecord>();
    FlightRecord& onScreen = *onScreenRecord;
    FakePrompt prompt;
    FixedClock clock;
};

TEST_F(CAppConfigTest, StartupFillsSettingsHeaderAndChannelTable) {
    Load(kConfig);
    ASSERT_TRUE(config.LoadStartupSettings(ini, prompt, clock, onScreen));
    EXPECT_TRUE(prompt.shown.empty());

    const FlightRecord& record = onScreen;
    const RecordHeader& header = record.header;
    EXPECT_EQ(config.comPort, 3);
    EXPECT_EQ(onScreen.header.yAxis, 1);
    EXPECT_EQ(header.timeA, clock.now);
    EXPECT_EQ(header.timeB, clock.now);
    EXPECT_EQ(header.samples, 16384);
    EXPECT_EQ(header.channels, 8);
    EXPECT_EQ(header.rate, 30);
    EXPECT_EQ(header.gearRate, 4.3f);
    EXPECT_EQ(header.poles, 14);
    EXPECT_EQ(FixedText(header.hwCode), "1A02");
    EXPECT_EQ(FixedText(header.note), "");
    EXPECT_EQ(record.logger.channels, 8);

    EXPECT_EQ(record.calibration[0].k, 0.01f);
    EXPECT_EQ(record.calibration[0].c, 0.5f);
    EXPECT_EQ(record.calibration[1].c, -0.2f);
    EXPECT_EQ(record.calibration[4].k, 0.000001f);
    EXPECT_EQ(record.calibration[7].k, 0.0f);
    EXPECT_EQ(record.ranges[0].min, 5.0f);
    EXPECT_EQ(record.ranges[0].max, 60.0f);
    EXPECT_EQ(record.ranges[1].max, 200.5f);
    EXPECT_EQ(record.ranges[2].max, 100.0f);
    EXPECT_EQ(record.ranges[3].max, 150.0f);
    EXPECT_EQ(record.ranges[4].min, 0.0f);
    EXPECT_EQ(record.ranges[4].max, 150.0f);
    EXPECT_EQ(record.ranges[5].max, 0.0f);
    // The description is read when a device reports its hardware, not at start.
    EXPECT_EQ(config.description, "");

    const std::array<int, 8> windows{4, 8, 1, 16, 2, 1, 1, 1};  // missing and 0 count as 1
    EXPECT_EQ(config.smoothing, windows);

    const char* const names[8] = {"Voltage    ",    "Current    ",   "Throttle   ",
                                  "Temperature",    "Motor RPM  ",   "Reserve 1     ",
                                  "Reserve 2     ", "Reserve 3     "};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const ChannelInfo& channel = record.channels[i];
        EXPECT_EQ(FixedText(channel.name), names[i]);
        EXPECT_EQ(FixedText(channel.index), " " + std::to_string(i));
        EXPECT_EQ(channel.visible, 1);
    }
    EXPECT_EQ(record.channels[2].colour, 0x00FF0000u);
    EXPECT_EQ(record.channels[7].colour, 0xFFFFFFFFu);
    EXPECT_EQ(record.channels[4].line, 3);
    const ChannelInfo& rpm = record.channels[4];
    EXPECT_EQ(rpm.statA, 280);
    EXPECT_EQ(rpm.statB, 120);
    EXPECT_EQ(rpm.statC, 112);
    EXPECT_EQ(rpm.statD, 185);
    EXPECT_EQ(record.channels[6].statA, 1390);
}

TEST_F(CAppConfigTest, StartupWithoutHardwareVersionFailsWithOneMessage) {
    for (const std::string text : {"[hardware]\r\ndefault=\r\n", "[display]\r\nyaxis=2\r\n"}) {
        SCOPED_TRACE(text);
        CIniFile file;
        WriteBytes(path, text);
        file.SetFilePath(path);
        ASSERT_TRUE(file.Load());
        FakePrompt shown;
        CAppConfig fresh;
        EXPECT_FALSE(fresh.LoadStartupSettings(file, shown, clock, onScreen));
        ASSERT_EQ(shown.shown.size(), 1u);
        EXPECT_EQ(shown.shown[0].text, kMsgNoHardwareVersion);
        EXPECT_FALSE(shown.shown[0].question);
        EXPECT_EQ(shown.shown[0].detail, path + " has no [hardware] default entry");
        EXPECT_EQ(fresh.startupFailure, shown.shown[0].detail);
    }
    // No config.ini at all, or a folder in its place: the detail names it and says why.
    std::filesystem::create_directory(dir.File("folder.ini"));
    for (const auto& [name, reason] : {std::pair{"none.ini", "No such file or directory"},
                                       {"folder.ini", "Not a regular file"}}) {
        CIniFile file;
        file.SetFilePath(dir.File(name));
        EXPECT_FALSE(file.Load());
        FakePrompt shown;
        CAppConfig fresh;
        EXPECT_FALSE(fresh.LoadStartupSettings(file, shown, clock, onScreen));
        ASSERT_EQ(shown.shown.size(), 1u);
        EXPECT_EQ(shown.shown[0].text, kMsgNoHardwareVersion);
        if (std::string(name) == "none.ini") {
            // Nothing there: the folder looked in (absolute) and how to get one.
            const std::string folder = std::filesystem::path(dir.File(name)).parent_path().string();
            EXPECT_EQ(shown.shown[0].detail,
                      FormatText(kNoConfigFileDetail, "none.ini", folder.c_str()));
            EXPECT_NE(shown.shown[0].detail.find("tools/run.sh"), std::string::npos);
        } else {
            EXPECT_EQ(shown.shown[0].detail, dir.File(name) + ": " + reason);
        }
    }
}

TEST_F(CAppConfigTest, StartupWithAMissingProfileLeavesCalibrationAtZero) {
    Load("[hardware]\r\ndefault=9Z99\r\n[display]\r\nyaxis=12\r\n");
    ASSERT_TRUE(config.LoadStartupSettings(ini, prompt, clock, onScreen));
    EXPECT_TRUE(prompt.shown.empty());
    const FlightRecord& record = onScreen;
    EXPECT_EQ(FixedText(record.header.hwCode), "9Z99");
    EXPECT_EQ(record.calibration[0].k, 0.0f);
    EXPECT_EQ(record.ranges[0].max, 0.0f);
    EXPECT_EQ(record.ranges[2].max, 100.0f);
    // A Y-axis channel outside 0-7 falls back to the voltage scale.
    EXPECT_EQ(onScreen.header.yAxis, 0);
    for (int window : config.smoothing) {
        EXPECT_EQ(window, 1);
    }
}

TEST_F(CAppConfigTest, HardwareProfileReplacesCalibrationRangesAndDescriptionOnly) {
    Load(kConfig);
    ASSERT_TRUE(config.LoadStartupSettings(ini, prompt, clock, onScreen));
    FlightRecord& record = onScreen;
    record.ranges[4] = {10.0f, 2000.0f};  // as an upload leaves it

    EXPECT_FALSE(config.LoadHardwareProfile(ini, "0000", onScreen));
    EXPECT_EQ(record.calibration[0].k, 0.01f);
    EXPECT_EQ(config.description, "");

    ASSERT_TRUE(config.LoadHardwareProfile(ini, "1B07", onScreen));
    EXPECT_EQ(config.description, "Logger v3");
    EXPECT_EQ(record.calibration[0].k, 0.02f);
    EXPECT_EQ(record.calibration[1].k, 0.0f);  // absent in this profile
    EXPECT_EQ(record.calibration[7].k, 3.0f);
    EXPECT_EQ(record.calibration[7].c, 1.0f);
    EXPECT_EQ(record.ranges[1].min, -10.0f);
    EXPECT_EQ(record.ranges[4].max, 150.0f);
    // A record on screen keeps its flight's own RPM scale.
    record.dataLoaded = true;
    record.ranges[4] = {10.0f, 2000.0f};
    ASSERT_TRUE(config.LoadHardwareProfile(ini, "1B07", onScreen));
    EXPECT_EQ(record.ranges[4].max, 2000.0f);
    EXPECT_EQ(record.ranges[1].min, -10.0f);
    // Display and port settings stay.
    EXPECT_EQ(config.comPort, 3);
    EXPECT_EQ(onScreen.header.yAxis, 1);
    EXPECT_EQ(config.smoothing[3], 16);
    EXPECT_EQ(record.channels[0].colour, 255u);
}

TEST_F(CAppConfigTest, WriteBackChangesOneEntryAndKeepsTheRestInPlace) {
    Load(kConfig);
    ASSERT_TRUE(config.LoadStartupSettings(ini, prompt, clock, onScreen));

    ASSERT_TRUE(config.SetYAxisChannel(ini, 3, onScreen));
    EXPECT_EQ(onScreen.header.yAxis, 3);
    std::string expected = kConfig;
    expected.replace(expected.find("yaxis=1"), 7, "yaxis=3");
    EXPECT_EQ(ReadBytes(path), expected);

    ASSERT_TRUE(config.SetChannelColour(ini, 5, 0x00FF0000, onScreen));
    EXPECT_EQ(onScreen.channels[5].colour, 0x00FF0000u);
    expected.replace(expected.find("color5=8421504"), 14, "color5=16711680");
    EXPECT_EQ(ReadBytes(path), expected);

    ASSERT_TRUE(config.SetComPort(ini, 7));
    EXPECT_EQ(config.comPort, 7);
    expected.replace(expected.find("port=3"), 6, "port=7");
    EXPECT_EQ(ReadBytes(path), expected);

    // Out-of-range channels change nothing.
    EXPECT_FALSE(config.SetYAxisChannel(ini, 8, onScreen));
    EXPECT_FALSE(config.SetChannelColour(ini, -1, 0, onScreen));
    EXPECT_EQ(onScreen.header.yAxis, 3);
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(CAppConfigTest, WriteBackCreatesMissingEntriesAndSurvivesAFailedSave) {
    Load("[hardware]\r\ndefault=1A02\r\n");
    ASSERT_TRUE(config.LoadStartupSettings(ini, prompt, clock, onScreen));
    ASSERT_TRUE(config.SetChannelColour(ini, 0, 0x000000FF, onScreen));
    ASSERT_TRUE(config.SetYAxisChannel(ini, 4, onScreen));
    EXPECT_EQ(ReadBytes(path),
              "[hardware]\r\ndefault=1A02\r\n\r\n"
              "[display]\r\ncolor0=255\r\nyaxis=4\r\n\r\n");

    ini.SetFilePath(dir.File("gone/config.ini"));
    EXPECT_FALSE(config.SetComPort(ini, 2));
    EXPECT_EQ(config.comPort, 2);
    EXPECT_EQ(ini.GetInt("communicateset", "port"), 2);
}

// The power curve's colour is a new entry: a file without it loads as before
// and gets it only when a colour is chosen, appended to [display] with the
// eight colours untouched.
TEST_F(CAppConfigTest, ThePowerColourIsReadWhenPresentAndWrittenOnlyWhenChosen) {
    Load(kConfig);
    ASSERT_TRUE(config.LoadStartupSettings(ini, prompt, clock, onScreen));
    EXPECT_FALSE(config.powerColour.has_value());
    EXPECT_EQ(ReadBytes(path), kConfig);

    ASSERT_TRUE(config.SetPowerColour(ini, 0x00FF00FF));
    std::string expected = kConfig;
    expected.insert(expected.find("\r\n\r\n[gearrate]"), "\r\npowercolor=16711935");
    EXPECT_EQ(ReadBytes(path), expected);

    CIniFile again;
    again.SetFilePath(path);
    ASSERT_TRUE(again.Load());
    CAppConfig reread;
    ASSERT_TRUE(reread.LoadStartupSettings(again, prompt, clock, onScreen));
    EXPECT_EQ(reread.powerColour, 0x00FF00FFu);

    ini.SetFilePath(dir.File("gone/config.ini"));
    EXPECT_FALSE(config.SetPowerColour(ini, 0x123456));
    EXPECT_EQ(config.powerColour, 0x123456u);  // holds for the run
}

}  // namespace
}  // namespace tavix
