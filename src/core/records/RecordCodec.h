#pragma once
// Byte encoding of the parts of a record file. Every part is written field by
// field, little-endian, at the offsets the file has always used, so the file
// does not depend on how this compiler lays out the structs. Padding bytes are
// carried through unchanged: loading a file and saving it again gives the
// same bytes.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "flight/FlightRecord.h"

namespace tavix {

using AxisRanges = std::array<AxisRange, kChannelCount>;

inline constexpr std::size_t kAxisRangesSize = 8 * kChannelCount;  // 64
// Header, logger block and axis ranges: what every record file starts with.
inline constexpr std::size_t kRecordFixedSize =
    RecordHeader::kSize + LoggerBlock::kSize + kAxisRangesSize;  // 932

// Size of a record file with `channels` channels of `samples` samples each.
constexpr std::size_t RecordFileSize(std::size_t channels, std::size_t samples) {
    return kRecordFixedSize + channels * (ChannelInfo::kSize + 4 * samples);
}

// Each Encode appends exactly the part's size to `out`; each Decode reads the
// part from the first bytes of `in`, which must hold at least that many.
void Encode(const RecordHeader& header, std::string& out);
void Encode(const LoggerBlock& block, std::string& out);
void Encode(const AxisRanges& ranges, std::string& out);
void Encode(const ChannelInfo& channel, std::string& out);

// What may follow the last channel: sections a reader that knows nothing of
// them skips, since every reader of the format reads only what the header
// announces. The extension starts with kExtensionMagic; each section is
//
//   tag (4 ASCII bytes) | length (u32) | payload | CRC-32 of tag+length+payload (u32)
//
// Sections: "ESCB", the ESC parameter block the flight was flown with;
// "UPLD", where and when it was uploaded (upload time as i64 seconds since
// 1970, flight number in the logger as i32, both little-endian). A
// section of another tag (a newer build's) is kept byte for byte and written
// back after the known ones. The extension travels with the .dat file when it
// is moved or copied alone.
inline constexpr std::string_view kExtensionMagic = "TavixEXT";
inline constexpr std::string_view kEscBlockTag = "ESCB";
inline constexpr std::string_view kUploadTag = "UPLD";

// Appends the extension of `record` (nothing when it has no section).
void EncodeExtension(const FlightRecord& record, std::string& out);
// Reads the extension at the front of `tail` into `into` (escBlock,
// flightNumber, uploadTime, otherSections and extensionDamage emptied first). Returns the bytes it
// took: 0 when `tail` holds none. A damaged or cut section ends the extension
// there, its content ignored, and extensionDamage says which.
std::size_t DecodeExtension(std::string_view tail, FlightRecord& into);
std::uint32_t Crc32(std::string_view bytes);

RecordHeader DecodeHeader(std::string_view in);
LoggerBlock DecodeLoggerBlock(std::string_view in);
AxisRanges DecodeAxisRanges(std::string_view in);
ChannelInfo DecodeChannelInfo(std::string_view in);

// What reading record bytes found.
struct RecordReadResult {
    bool ok = false;
    std::string message;            // why the bytes were refused
    std::size_t trailingBytes = 0;  // bytes after the last channel, ignored
};

// The record file bytes of `record`: header, logger block, ranges, the
// announced channels' tables and samples, then the extension.
std::string EncodeRecordFile(const FlightRecord& record);
// Reads record file `bytes` into `into`. Refuses, leaving `into` untouched, a
// channel count outside 1-8, a sample count outside 1-16384 or bytes shorter
// than announced; `name` goes into the message.
[[nodiscard]] RecordReadResult DecodeRecordFile(std::string_view bytes, FlightRecord& into,
                                                const std::string& name);

}  // namespace tavix
