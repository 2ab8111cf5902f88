#include "sim/DeviceProfile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

#include "link/Frame.h"

namespace tavix::sim {

namespace {

// Throttle range byte in units of 8 us: 80 is 640 us.
constexpr std::uint8_t kThrottleRange = 80;

// A 16-bit value of the block, low byte first.
constexpr std::uint8_t Low(unsigned value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
constexpr std::uint8_t High(unsigned value) {
    return static_cast<std::uint8_t>(value >> 8);
}

// One row per simulated ESC, in the order of Series. The factory block is the
// bytes from offset 1 on (the parameters, then what the host keeps), plus any
// bytes further on; the flag at 0 and the version at 256-271 are added for all.
const std::array<DeviceProfile, 4> kProfiles = {{
    {.series = Series::Tarrow,
     .name = "tarrow",
     .version = kTarrowVersion,
     .hardwareCode = "1L40",
     .hasLogger = true,
     // LVC, current limiting, brake, timing, cutoff, startup, governor, PWM,
     // throttle range, then a byte kept by the host and never shown.
     .factoryBlock = {{1, {1, 1, 0, 3, 0, 1, 0, 0, kThrottleRange, 0x5A}}}},
    {.series = Series::Velmor,
     .name = "velmor",
     .version = kVelmorVersion,
     .hardwareCode = "0V20",
     .hasLogger = false,
     // LVC, current limiting, brake, timing, cutoff, startup, cutoff per cell,
     // PWM, throttle range, then three bytes kept by the host and never shown.
     .factoryBlock = {{1, {1, 1, 0, 3, 0, 1, 5, 0, kThrottleRange, 0x11, 0x22, 0x33}}}},
    {.series = Series::Ostrin,
     .name = "ostrin",
     .version = kOstrinVersion,
     .hardwareCode = "0C30",
     .hasLogger = false,
     // LVC, cell cutoff, current limit, over-heat, timing, neutral range, start
     // mode, running mode, PWM, drag brake, brake, reverse, motor type, ABS
     // rate, then the temperature offset.
     // Then the throttle calibration at 128 in half microseconds: reverse end
     // 1100 us, neutral 1500 us, forward end 1900 us.
     .factoryBlock = {{1, {6, 5, 1, 0, 3, 1, 1, 2, 0, 2, 1, 1, 0, 6, 0}},
                      {128,
                       {Low(2200), High(2200), Low(3000), High(3000), Low(3800), High(3800)}}}},
    {.series = Series::Peldan,
     .name = "peldan",
     .version = kPeldanVersion,
     .hardwareCode = "0P10",
     .hasLogger = false,
     // LVC cells, current limiting, brake, timing, cutoff, startup, governor,
     // LVC per cell, throttle range, then a byte kept by the host.
     .factoryBlock = {{1, {4, 1, 0, 3, 0, 1, 0, 5, kThrottleRange, 0x5A}}}},
}};

}  // namespace

const DeviceProfile& ProfileFor(Series series) {
    return kProfiles[static_cast<std::size_t>(series)];
}

std::optional<Series> SeriesFromName(const std::string& name) {
    std::string lower;
    for (char c : name) {
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    for (const auto& profile : kProfiles) {
        if (lower == profile.name) {
            return profile.series;
        }
    }
    return std::nullopt;
}

std::string ProfileNames(const char* separator) {
    std::string names;
    for (const auto& profile : kProfiles) {
        if (!names.empty()) {
            names += separator;
        }
        names += profile.name;
    }
    return names;
}

Bytes DefaultParamBlock(Series series) {
    const DeviceProfile& profile = ProfileFor(series);
    Bytes block(kParamBlockSize, 0);
    block[0] = 0xFF;
    for (const auto& [offset, bytes] : profile.factoryBlock) {
        std::copy(bytes.begin(), bytes.end(), block.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    std::memcpy(block.data() + kBlockVersionOffset, profile.version, kBlockVersionSize);
    return block;
}

}  // namespace tavix::sim
