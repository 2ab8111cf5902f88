#pragma once
// The application's one data store, alive for the whole run: the record memory
// (FlightRecord) and the settings read from config.ini (port, smoothing windows,
// colours, line widths, calibration, ranges, the hardware profile's description).

#include <array>
#include <memory>
#include <string>

#include "logger/FlightRecord.h"

namespace tavix {

class CIniFile;
class Prompt;
class Clock;

// Texts of this module, shown by the callers.
inline constexpr const char* kMsgNoHardwareVersion = "Can't get hardware version!";
inline constexpr const char* kMsgIncorrectConfig = "Incorrect config file!";

class CAppConfig {
public:
    CAppConfig();
    ~CAppConfig();
    CAppConfig(const CAppConfig&) = delete;
    CAppConfig& operator=(const CAppConfig&) = delete;

    // Reads the start-up settings from `ini` (already loaded). Shows "Can't get
    // hardware version!" through `prompt` and returns false when [hardware]
    // default is missing or empty.
    bool LoadStartupSettings(CIniFile& ini, Prompt& prompt, const Clock& clock);
    // Loads calibration, ranges 0-4 and the description of profile `hw`.
    // False, and nothing changed, when config.ini has no section `hw`.
    bool LoadHardwareProfile(CIniFile& ini, const std::string& hw);

    FlightRecord& Record() { return *record_; }
    const FlightRecord& Record() const { return *record_; }

    int comPort = 0;                       // [communicateset] port, 1-based
    std::array<int, kChannelCount> smoothing{};  // [display] n%d
    std::string description;               // profile description

private:
    std::unique_ptr<FlightRecord> record_;
};

}  // namespace tavix
