#pragma once
// The settings read from config.ini, alive for the whole run: port, smoothing
// windows, the power curve's colour, the hardware profile's description. The
// settings a record file carries in its own header (Y axis, channel colours
// and pens, gear rate, poles, hardware code, calibration, ranges) are loaded
// into the record they belong to, which the caller names: the window's flight
// is owned by the record document (records/CTavixDoc), not by the settings.
//
// Where config.ini keeps what (all names case-sensitive):
//   [communicateset] port          COM port number, 1-16
//   [display] yaxis                channel whose scale the Y axis shows (record header)
//   [display] color0..7            channel colours, COLORREF 0x00BBGGRR as signed decimal
//   [display] line0..7             pen widths in pixels
//   [display] n0..7                moving-average windows, in samples
//   [display] powercolor           colour of the computed power curve, COLORREF as
//                                  colorN; absent until the user picks one
//   [gearrate] default, [polnumber] default, [hardware] default
//   [<hardware code>] kvalue0..7, cvalue0..7, valmin, valmax, curmin, curmax, description

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/Translate.h"
#include "config/IniNames.h"
#include "flight/Conversion.h"
#include "flight/FlightRecord.h"

namespace tavix {

class CIniFile;
class Prompt;
class Clock;

// Texts of this module, shown by the callers.
inline constexpr const char* kMsgNoHardwareVersion = TAVIX_TR("Can't get hardware version!");
inline constexpr const char* kMsgIncorrectConfig = TAVIX_TR("Incorrect config file!");
// The detail below them when the file loaded but names no hardware.
inline constexpr const char* kNoHardwareDetail = TAVIX_TR("%s has no [hardware] default entry");
// The detail when there is no config.ini at all: where it was looked for and
// how a new user gets one.
inline constexpr const char* kNoConfigFileDetail = TAVIX_TR(
    "There is no %s in %s (Tavix reads it from the folder it is started in).\n"
    "tools/run.sh and the installed starter (tavix-launch) put one there; or copy the default, "
    "res/config.ini, into that folder.");

// The note a record header carries while the start-up settings are applied.
inline constexpr const char* kStartupNote = "test sample data";

// Start-up channel table: names (with their trailing blanks) and statistics A-D.
struct ChannelDefaults {
    const char* name;
    std::int32_t a, b, c, d;
};
inline constexpr std::array<ChannelDefaults, kChannelCount> kChannelDefaults{{
    {"Voltage    ", 100, 20, 170, 230},
    {"Current    ", 160, 70, 60, 370},
    {"Throttle   ", 100, 50, 6, 200},
    {"Temperature", 300, 60, 45, 175},
    {"Motor RPM  ", 280, 120, 112, 185},
    {"Reserve 1     ", 150, 40, 80, 130},
    {"Reserve 2     ", 1390, 60, 100, 200},
    {"Reserve 3     ", 100, 20, 70, 250},
}};

// Fixed Y ranges of throttle (percent), temperature and RPM scale.
inline constexpr AxisRange kThrottleRange{0.0f, 100.0f};
inline constexpr AxisRange kTemperatureRange{0.0f, 150.0f};
inline constexpr AxisRange kRpmRange{0.0f, 150.0f};

// Entry names with a channel number: "color%d", "line%d", "n%d", "kvalue%d", "cvalue%d".
std::string ColourEntry(int channel);
std::string LineEntry(int channel);
std::string WindowEntry(int channel);
std::string KValueEntry(int channel);
std::string CValueEntry(int channel);

class CAppConfig {
public:
    CAppConfig();
    ~CAppConfig();
    CAppConfig(const CAppConfig&) = delete;
    CAppConfig& operator=(const CAppConfig&) = delete;

    // Reads the start-up settings from `ini` (already loaded) into these
    // settings and `record` (the flight the window starts with). Shows "Can't get
    // hardware version!" through `prompt` and returns false when [hardware]
    // default is missing or empty; showing "Incorrect config file!" after it is
    // the caller's job. The box's detail, also left in `startupFailure`, names
    // the file and why (missing, no regular file, or no such entry). A missing profile section is
    // not an error here: its calibration and ranges then read as 0.
    bool LoadStartupSettings(CIniFile& ini, Prompt& prompt, const Clock& clock,
                             FlightRecord& record);
    // Loads the description of profile `hw`, and its calibration and ranges
    // 0-4 into `record`. False, and nothing changed, when config.ini has no
    // section `hw`.
    bool LoadHardwareProfile(CIniFile& ini, const std::string& hw, FlightRecord& record);

    // Settings the user changes: stored here, put into `ini` (section and entry
    // created when missing, other entries keep their places) and the whole file
    // saved at once. They return Save's result: false when config.ini could not
    // be written (the setting still holds for this run). An out-of-range
    // channel changes nothing and returns false. The Y axis and the colours
    // live in the header of the record on screen, `record`, which shows the
    // change at once.
    [[nodiscard]] bool SetYAxisChannel(CIniFile& ini, int channel, FlightRecord& record);
    [[nodiscard]] bool SetChannelColour(CIniFile& ini, int channel, std::uint32_t colour,
                                        FlightRecord& record);
    [[nodiscard]] bool SetComPort(CIniFile& ini, int port);
    // The power curve's colour, written as "powercolor" in [display].
    [[nodiscard]] bool SetPowerColour(CIniFile& ini, std::uint32_t colour);

    int comPort = 0;                             // [communicateset] port, 1-based
    std::array<int, kChannelCount> smoothing{};  // [display] n%d, at least 1
    std::string description;                     // profile description
    std::string startupFailure;                  // why LoadStartupSettings failed: file and reason
    // [display] powercolor; empty while config.ini has none (the curve then
    // keeps its own default colour and nothing is written for it).
    std::optional<std::uint32_t> powerColour;

private:
    static void LoadProfileValues(CIniFile& ini, const std::string& hw, FlightRecord& record);
};

}  // namespace tavix
