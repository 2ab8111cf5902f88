#pragma once
// One flight record, laid out as the record file stores it. Field sizes and offsets are those of
// the file (little-endian); the byte encoding itself lives in records/RecordCodec.
//
// Channels, in this order everywhere: 0 Voltage, 1 Current, 2 Throttle,
// 3 Temperature, 4 Motor RPM, 5-7 Reserve 1-3. An uploaded record has 5 channels.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tavix {

inline constexpr int kChannelCount = 8;
inline constexpr int kMaxSamples = 16384;
inline constexpr int kUploadChannels = 5;
// The user note: at most this many bytes (GBK) of its 516-byte field are used.
inline constexpr std::size_t kMaxNoteLength = 512;

enum Channel : int {
    kVoltage = 0,
    kCurrent = 1,
    kThrottle = 2,
    kTemperature = 3,
    kMotorRpm = 4,
};

// Copies `text` into a fixed, zero-terminated text field (cut to fit).
template <std::size_t N>
void SetFixedText(std::array<char, N>& field, const std::string& text) {
    field.fill(0);
    std::memcpy(field.data(), text.data(), text.size() < N - 1 ? text.size() : N - 1);
}

// Reads a fixed text field up to its first zero byte (or its full width).
template <std::size_t N>
std::string FixedText(const std::array<char, N>& field) {
    std::size_t n = 0;
    while (n < N && field[n] != 0) {
        ++n;
    }
    return std::string(field.data(), n);
}

struct Calibration {
    float k = 0.0f;
    float c = 0.0f;
};

struct AxisRange {
    float min = 0.0f;
    float max = 0.0f;
};

// 88 bytes in a record file.
struct ChannelInfo {
    static constexpr std::size_t kSize = 88;
    std::array<char, 30> name{};   // zero-terminated
    std::array<char, 30> index{};  // channel number as "%2d"
    std::int32_t statA = 0;        // maximum (raw; RPM for channel 4)
    std::int32_t statB = 0;        // minimum (raw; RPM for channel 4)
    std::int32_t statC = 0;        // only stored
    std::int32_t statD = 0;        // only stored
    std::uint32_t colour = 0;      // COLORREF 0x00BBGGRR
    std::int32_t line = 0;         // pen width in pixels
    std::uint8_t visible = 1;
    std::array<std::uint8_t, 3> padding{};
};

// 816 bytes in a record file.
struct RecordHeader {
    static constexpr std::size_t kSize = 816;
    std::int64_t timeA = 0;  // seconds since 1970
    std::int64_t timeB = 0;
    std::int32_t samples = kMaxSamples;  // per channel, 1-16384
    std::int32_t channels = kChannelCount;
    std::uint8_t rate = 30;  // samples per second
    std::array<std::uint8_t, 3> padding{};
    float gearRate = 1.0f;
    std::int32_t poles = 0;
    std::array<char, 255> version{};  // device version text
    std::array<char, 5> hwCode{};     // version characters 8-11
    std::array<char, 516> note{};     // user note, at most kMaxNoteLength bytes used
    std::int32_t yAxis = 0;           // 0-7
};

// 52 bytes in a record file: the logger header of the upload.
struct LoggerBlock {
    static constexpr std::size_t kSize = 52;
    std::uint16_t lastAddress = 0;  // last address of the record memory
    std::uint16_t firstAddress = 64;
    std::int32_t channels = kUploadChannels;
    std::uint8_t cycle = 0;  // 1 with cycle recording
    std::array<std::uint8_t, 3> padding1{};
    std::int32_t rate = 0;
    std::uint8_t flightCount = 0;
    std::array<std::uint8_t, 32> endAddresses{};  // 16 entries, high byte first
    std::array<std::uint8_t, 3> padding2{};

    std::uint16_t EndAddress(int flight) const {
        return static_cast<std::uint16_t>((endAddresses[2 * flight] << 8) |
                                          endAddresses[2 * flight + 1]);
    }
};

// The record memory: fixed arrays (hold it on the heap). What the program
// computes from it (the smoothed series) lives beside it, in FlightData.
struct FlightRecord {
    RecordHeader header;
    LoggerBlock logger;
    std::array<AxisRange, kChannelCount> ranges{};
    std::array<Calibration, kChannelCount> calibration{};
    std::array<ChannelInfo, kChannelCount> channels{};
    // Channel-major: raw[ch][sample].
    std::array<std::array<std::int32_t, kMaxSamples>, kChannelCount> raw{};
    bool dataLoaded = false;
    // The ESC's 512-byte parameter block as read when the device was
    // identified before the upload: the settings the flight was flown with.
    // Empty when unknown (files of earlier builds, records of other tools).
    std::string escBlock;
    // Where and when the flight was uploaded: its number in the logger's
    // memory (counted from 1) and the upload time, seconds since 1970. 0 when
    // unknown (files of earlier builds, records of other tools).
    int flightNumber = 0;
    std::int64_t uploadTime = 0;
    // Extension sections this build does not know (a newer build's), each
    // whole as read (tag, length, payload, CRC): written back unchanged.
    std::vector<std::string> otherSections;
    // What is wrong with the file's extension ("section 2 (ESCB) fails its
    // checksum"); empty when it is sound or there is none.
    std::string extensionDamage;
    // The file the record was read from, and why it was not read whole (a
    // file past the size limit, a damaged extension): saving over that file
    // would lose what was not read. Empty for a record read whole.
    std::string readFrom;
    std::string notReadWhole;
};

}  // namespace tavix
