#pragma once
// The simulated devices: one ESC per series, each with its version string and
// a believable 512-byte parameter block.
//
// A version string is 16 characters. Characters 2-3 name the series (KA, KB,
// KC, ZA), characters 8-11 the hardware code that names the config.ini
// profile, and character 8 = '1' means a flight data logger is attached.

#include <optional>
#include <string>
#include <vector>

#include "link/SerialBackend.h"

namespace tavix::sim {

enum class Series { Tarrow, Velmor, Ostrin, Peldan };

// Bytes of the factory block from `offset` on.
struct BlockBytes {
    std::size_t offset;
    Bytes bytes;
};

// One simulated ESC. A new series is one value of Series and one row of
// profiles (DeviceProfile.cpp).
struct DeviceProfile {
    Series series;
    const char* name;          // "tarrow", ... as the --device option spells it
    const char* version;       // 16 characters
    const char* hardwareCode;  // characters 8-11 of the version
    bool hasLogger;            // character 8 is '1'
    // What the factory block holds besides the flag at 0 and the version.
    std::vector<BlockBytes> factoryBlock;
};

inline constexpr const char* kTarrowVersion = "TVKA20141L400312";
inline constexpr const char* kVelmorVersion = "TVKB20140V200312";
inline constexpr const char* kOstrinVersion = "TVKC20140C300312";
inline constexpr const char* kPeldanVersion = "TVZA20140P100312";

const DeviceProfile& ProfileFor(Series series);
// "tarrow", "velmor", "ostrin", "peldan" (case-insensitive).
std::optional<Series> SeriesFromName(const std::string& name);
// The names of every profile, in order, joined by `separator`.
std::string ProfileNames(const char* separator);

// The factory parameter block of the series: 0xFF at offset 0, every
// parameter at the value the series' page offers as its default, a throttle
// range of 640 us, the Ostrin's throttle calibration, and the version at 256-271.
Bytes DefaultParamBlock(Series series);

}  // namespace tavix::sim
