#include "config/CAppConfig.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/FormatText.h"
#include "base/Translate.h"
#include "config/CIniFile.h"
#include "shell/Clock.h"
#include "shell/Prompt.h"

namespace tavix {

namespace {

std::string Numbered(const char* stem, int channel) {
    return stem + std::to_string(channel);
}

// The channel number as "%2d": " 0" ... " 7".
std::string IndexText(int channel) {
    char text[16];
    std::snprintf(text, sizeof text, "%2d", channel);
    return text;
}

bool IsChannel(int channel) {
    return channel >= 0 && channel < kChannelCount;
}

void ReadCalibration(CIniFile& ini, const std::string& hw, FlightRecord& record) {
    for (int i = 0; i < kChannelCount; ++i) {
        Calibration& calibration = record.calibration[i];
        calibration.k = static_cast<float>(ini.GetReal(hw, KValueEntry(i)));
        calibration.c = static_cast<float>(ini.GetReal(hw, CValueEntry(i)));
    }
}

}  // namespace

std::string ColourEntry(int channel) {
    return Numbered("color", channel);
}
std::string LineEntry(int channel) {
    return Numbered("line", channel);
}
std::string WindowEntry(int channel) {
    return Numbered("n", channel);
}
std::string KValueEntry(int channel) {
    return Numbered("kvalue", channel);
}
std::string CValueEntry(int channel) {
    return Numbered("cvalue", channel);
}

CAppConfig::CAppConfig() {
    smoothing.fill(1);
}

CAppConfig::~CAppConfig() = default;

bool CAppConfig::LoadStartupSettings(CIniFile& ini, Prompt& prompt, const Clock& clock,
                                     FlightRecord& record) {
    RecordHeader& header = record.header;

    comPort = ini.GetInt(kIniPortSection, kIniPortEntry);
    // The Y-axis channel indexes the per-channel tables: a value from a
    // hand-edited file outside 0-7 falls back to the voltage scale.
    const int yAxis = ini.GetInt(kIniDisplaySection, kIniYAxisEntry);
    header.yAxis = IsChannel(yAxis) ? yAxis : kVoltage;

    header.timeA = clock.Now();
    header.timeB = header.timeA;
    SetFixedText(header.note, kStartupNote);
    header.samples = kMaxSamples;
    header.channels = kChannelCount;
    header.rate = 30;
    header.gearRate = static_cast<float>(ini.GetReal(kIniGearSection, kIniDefaultEntry));
    header.poles = ini.GetInt(kIniPolesSection, kIniDefaultEntry);

    const std::string hw = ini.GetText(kIniHardwareSection, kIniDefaultEntry);
    if (hw.empty()) {
        startupFailure = ini.LoadFailureDetail().empty()
                             ? FormatShown(kNoHardwareDetail, ini.FilePath().c_str())
                             : ini.LoadFailureDetail();
        std::error_code ec;
        const std::filesystem::path file(ini.FilePath());
        if (!file.empty() && !std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
            const std::filesystem::path folder = std::filesystem::absolute(file, ec).parent_path();
            startupFailure = FormatShown(kNoConfigFileDetail, file.filename().string().c_str(),
                                         folder.string().c_str());
        }
        prompt.Message(kMsgNoHardwareVersion, PromptIcon::Exclamation, startupFailure);
        return false;
    }
    SetFixedText(header.hwCode, hw);

    LoadProfileValues(ini, hw, record);
    for (int i = 0; i < kChannelCount; ++i) {
        ChannelInfo& channel = record.channels[i];
        channel.visible = 1;
        channel.colour = static_cast<std::uint32_t>(ini.GetInt(kIniDisplaySection, ColourEntry(i)));
        channel.line = ini.GetInt(kIniDisplaySection, LineEntry(i));
        SetFixedText(channel.index, IndexText(i));
        // A missing or zero window would divide by zero: it means no smoothing.
        smoothing[i] = std::max(1, ini.GetInt(kIniDisplaySection, WindowEntry(i)));

        const ChannelDefaults& defaults = kChannelDefaults[i];
        SetFixedText(channel.name, defaults.name);
        channel.statA = defaults.a;
        channel.statB = defaults.b;
        channel.statC = defaults.c;
        channel.statD = defaults.d;
    }

    const int display = ini.FindSection(kIniDisplaySection);
    if (display >= 0 && ini.FindEntry(display, kIniPowerColourEntry) >= 0) {
        powerColour =
            static_cast<std::uint32_t>(ini.GetInt(kIniDisplaySection, kIniPowerColourEntry));
    }

    header.note.fill(0);
    record.logger.channels = kChannelCount;
    return true;
}

bool CAppConfig::LoadHardwareProfile(CIniFile& ini, const std::string& hw, FlightRecord& record) {
    if (ini.EntryCount(hw) == -1) {
        return false;
    }
    LoadProfileValues(ini, hw, record);
    description = ini.GetText(hw, kIniDescriptionEntry);
    return true;
}

void CAppConfig::LoadProfileValues(CIniFile& ini, const std::string& hw, FlightRecord& record) {
    ReadCalibration(ini, hw, record);
    record.ranges[kVoltage] = {static_cast<float>(ini.GetReal(hw, "valmin")),
                               static_cast<float>(ini.GetReal(hw, "valmax"))};
    record.ranges[kCurrent] = {static_cast<float>(ini.GetReal(hw, "curmin")),
                               static_cast<float>(ini.GetReal(hw, "curmax"))};
    record.ranges[kThrottle] = kThrottleRange;
    record.ranges[kTemperature] = kTemperatureRange;
    // The RPM scale of a record on screen is its own flight's (from the
    // slowest to the fastest rotation it logged): a profile loaded while it
    // is shown (Open Device) must not squeeze its curve into 0-150.
    if (!record.dataLoaded) {
        record.ranges[kMotorRpm] = kRpmRange;
    }
}

bool CAppConfig::SetYAxisChannel(CIniFile& ini, int channel, FlightRecord& record) {
    if (!IsChannel(channel)) {
        return false;
    }
    record.header.yAxis = channel;
    ini.PutInt(kIniDisplaySection, kIniYAxisEntry, channel, true);
    return ini.Save();
}

bool CAppConfig::SetChannelColour(CIniFile& ini, int channel, std::uint32_t colour,
                                  FlightRecord& record) {
    if (!IsChannel(channel)) {
        return false;
    }
    record.channels[channel].colour = colour;
    // The COLORREF goes to the file as a signed decimal int: pure blue is 16711680.
    ini.PutInt(kIniDisplaySection, ColourEntry(channel), static_cast<int>(colour), true);
    return ini.Save();
}

bool CAppConfig::SetPowerColour(CIniFile& ini, std::uint32_t colour) {
    powerColour = colour;
    ini.PutInt(kIniDisplaySection, kIniPowerColourEntry, static_cast<int>(colour), true);
    return ini.Save();
}

bool CAppConfig::SetComPort(CIniFile& ini, int port) {
    comPort = port;
    ini.PutInt(kIniPortSection, kIniPortEntry, port, true);
    return ini.Save();
}

}  // namespace tavix
