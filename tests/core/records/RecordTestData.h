#pragma once
// Records with distinctive contents in every field, padding included, so a
// field written at the wrong place or dropped shows up in a byte comparison.

#include <memory>
#include <string>

#include "config/CIniFile.h"
#include "flight/FlightRecord.h"

namespace tavix::test {

inline std::unique_ptr<FlightRecord> MakeRecord(int channels, int samples,
                                                const std::string& hw = "1L40") {
    auto record = std::make_unique<FlightRecord>();
    RecordHeader& h = record->header;
    h.timeA = 1394193600;
    h.timeB = 0x0102030405060708;
    h.samples = samples;
    h.channels = channels;
    h.rate = 5;
    h.padding = {0xA1, 0xA2, 0xA3};
    h.gearRate = 2.5f;
    h.poles = 14;
    SetFixedText(h.version, "TVKA20141L400312");
    SetFixedText(h.hwCode, hw);
    SetFixedText(h.note, "first flight of the day");
    h.note[515] = 0x5A;  // bytes after the text are kept too
    h.yAxis = 3;

    LoggerBlock& b = record->logger;
    b.lastAddress = 0x1FFF;
    b.cycle = 1;
    b.padding1 = {1, 2, 3};
    b.rate = 5;
    b.flightCount = 2;
    for (std::size_t i = 0; i < b.endAddresses.size(); ++i) {
        b.endAddresses[i] = static_cast<std::uint8_t>(0x10 + i);
    }
    b.padding2 = {7, 8, 9};

    for (int ch = 0; ch < kChannelCount; ++ch) {
        record->ranges[ch] = {static_cast<float>(ch) - 0.5f, 100.25f * static_cast<float>(ch + 1)};
        ChannelInfo& c = record->channels[ch];
        SetFixedText(c.name, "Channel " + std::to_string(ch));
        SetFixedText(c.index, " " + std::to_string(ch));
        c.statA = 1000 + ch;
        c.statB = -ch;
        c.statC = 60 + ch;
        c.statD = 370 - ch;
        c.colour = 0x00FF0000u >> ch;
        c.line = 1 + ch % 3;
        c.visible = static_cast<std::uint8_t>(ch % 2);
        c.padding = {0xC0, static_cast<std::uint8_t>(ch), 0xC2};
        for (int j = 0; j < samples; ++j) {
            record->raw[ch][j] = (ch + 1) * 100000 - j * 7 - (j % 3 == 0 ? 2000000000 : 0);
        }
    }
    return record;
}

// A config.ini in memory with one profile.
inline void AddProfile(CIniFile& ini, const std::string& hw, float k0, float k4) {
    for (int i = 0; i < kChannelCount; ++i) {
        const float k = i == 0 ? k0 : i == 4 ? k4 : 0.5f;
        ini.PutText(hw, "kvalue" + std::to_string(i), std::to_string(k), true);
        ini.PutText(hw, "cvalue" + std::to_string(i), std::to_string(i), true);
    }
    ini.PutText(hw, "description", "profile " + hw, true);
}

}  // namespace tavix::test
