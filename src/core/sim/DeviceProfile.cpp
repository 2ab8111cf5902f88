#include "sim/DeviceProfile.h"

#include <array>
#include <cctype>
#include <cstring>
#include <initializer_list>

#include "link/Frame.h"

namespace tavix::sim {

namespace {

const std::array<DeviceProfile, 4> kProfiles = {{
    {Series::Tarrow, "tarrow", kTarrowVersion, "1L40", true},
    {Series::Velmor, "velmor", kVelmorVersion, "0V20", false},
    {Series::Ostrin, "ostrin", kOstrinVersion, "0C30", false},
    {Series::Peldan, "peldan", kPeldanVersion, "0P10", false},
}};

// Throttle range byte in units of 8 us: 80 is 640 us.
constexpr std::uint8_t kThrottleRange = 80;

void PutLow16(Bytes& block, std::size_t offset, std::uint16_t value) {
    block[offset] = static_cast<std::uint8_t>(value & 0xFF);
    block[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutBytes(Bytes& block, std::size_t offset, std::initializer_list<std::uint8_t> values) {
    for (std::uint8_t v : values) {
        block[offset++] = v;
    }
}

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

Bytes DefaultParamBlock(Series series) {
    Bytes block(kParamBlockSize, 0);
    block[0] = 0xFF;
    switch (series) {
        case Series::Tarrow:
            // LVC, current limiting, brake, timing, cutoff, startup, governor, PWM.
            PutBytes(block, 1, {1, 1, 0, 3, 0, 1, 0, 0});
            block[9] = kThrottleRange;
            block[10] = 0x5A;  // kept by the host, never shown
            break;
        case Series::Velmor:
            // LVC, current limiting, brake, timing, cutoff, startup, cutoff per cell, PWM.
            PutBytes(block, 1, {1, 1, 0, 3, 0, 1, 5, 0});
            block[9] = kThrottleRange;
            PutBytes(block, 10, {0x11, 0x22, 0x33});  // kept by the host, never shown
            break;
        case Series::Ostrin:
            // LVC, cell cutoff, current limit, over-heat, timing, neutral range, start
            // mode, running mode, PWM, drag brake, brake, reverse, motor type, ABS rate,
            // then the temperature offset.
            PutBytes(block, 1, {6, 5, 1, 0, 3, 1, 1, 2, 0, 2, 1, 1, 0, 6, 0});
            // Throttle calibration in half microseconds, low byte first:
            // reverse end 1100 us, neutral 1500 us, forward end 1900 us.
            PutLow16(block, 128, 2200);
            PutLow16(block, 130, 3000);
            PutLow16(block, 132, 3800);
            break;
        case Series::Peldan:
            // LVC cells, current limiting, brake, timing, cutoff, startup, governor, LVC per cell.
            PutBytes(block, 1, {4, 1, 0, 3, 0, 1, 0, 5});
            block[9] = kThrottleRange;
            block[10] = 0x5A;
            break;
    }
    const char* version = ProfileFor(series).version;
    std::memcpy(block.data() + kBlockVersionOffset, version, kBlockVersionSize);
    return block;
}

}  // namespace tavix::sim
