#pragma once
// A firmware file (.Dlc) for the ESC: one line of ASCII fields separated by
// colons, with no header and no line structure:
//
//   <image text> : <N> : <version text> : <check> : <anything>
//
//   image text    N characters, two hex digits per image byte, high nibble first
//   N             the position of the first colon, in decimal (at most 8 characters read)
//   version text  16 characters, shown as four groups of four
//   check         CRC-16 (the frame CRC) of every byte before the third colon, in decimal
//
// The loader follows the ESC maker's tool byte for byte, so a file that tool
// takes is taken here and one it refuses is refused: `atoi` semantics for both
// numbers, the check field tried at every colon that follows it, a non-hex
// character in the image decoding as 0 (only the check guards the text), an
// odd last digit never sent. Three checks are ours, all made before anything
// is sent to the ESC: an empty image is refused, because a download of no
// block would only rewrite the version and report a firmware that was never
// sent as installed; an image of more than 65,536 bytes is refused, because
// the 16-bit block address would wrap and the blocks past it would overwrite
// the start of the firmware; and a version text that is not exactly 16
// characters is refused, because the parameter-block write that ends a
// download needs exactly 16 and the ESC would otherwise be left with a new
// image and no version (half-flashed, waiting for a write that never comes).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/Bytes.h"

namespace tavix {

// Largest image a download can address (block addresses are 16 bits).
inline constexpr std::size_t kMaxFirmwareImage = 65536;
// Blocks of the image go out in this size, the last one shorter.
inline constexpr std::size_t kFirmwareBlockSize = 512;
// The version text shown and sent: four groups of four characters.
inline constexpr std::size_t kFirmwareVersionSize = 16;
inline constexpr std::size_t kVersionGroupSize = 4;
inline constexpr std::size_t kVersionGroups = 4;

using VersionGroups = std::array<std::string, kVersionGroups>;

// Why a file is not valid (the user sees one message for all of them).
enum class FirmwareFault {
    None,
    NoColon,         // no colon at all
    LengthMismatch,  // the length field differs from the position of the first colon
    NoVersionEnd,    // no third colon after the version text
    CheckFailed,     // no check field that matches the CRC before a colon
    EmptyImage,      // no image byte at all: nothing to flash
    TooLarge,        // an image of more than 65,536 bytes
    BadVersion,      // a version text that is not 16 characters (or holds a zero byte)
};

struct FirmwareFile {
    std::string content;  // the whole file, byte for byte
    bool valid = false;
    FirmwareFault fault = FirmwareFault::NoColon;
    // Set once the first colon and a matching length field were found: N,
    // the number of image characters.
    std::optional<std::uint32_t> hexCount;
    // Set once the third colon was found: the version text (any length).
    std::optional<std::string> version;
    // Once the third colon was found: the CRC-16 of the text before it (the
    // value a check field must give).
    std::uint16_t crc = 0;

    // N / 2 bytes (0 until the length field was accepted).
    std::size_t ImageSize() const { return hexCount ? *hexCount / 2 : 0; }
    // Image byte `i` (< ImageSize()), decoded from the text.
    std::uint8_t ImageByte(std::size_t i) const;
    // `count` image bytes from `offset` (cut at the end of the image).
    Bytes ImageBytes(std::size_t offset, std::size_t count) const;
    // Blocks of the image: ceil(size / 512), 0 for an empty image.
    std::size_t BlockCount() const;
};

// Checks and takes `content` as a firmware file.
FirmwareFile ParseFirmware(std::string content);

// Which check a refused file failed, in words for the line below
// "The file you selected is invalid!" (empty for a valid file).
std::string FaultDetail(const FirmwareFile& file);

// The value of one hex digit: 1-9, A-F and a-f; everything else (0 included) is 0.
std::uint8_t HexDigitValue(char c);

// The C library's atoi on a text (leading white space, a sign, digits up to
// the first non-digit; a value beyond the long range is clamped and then cut to int).
int AtoiValue(const std::string& text);

// The four groups [0,4), [4,8), [8,12), [12,16) of a version text (shorter or
// empty when the text is short). A group ends at a zero byte, as a text box
// shows it.
VersionGroups SplitVersion(const std::string& version);
// The groups joined again: the version text that is sent.
std::string JoinVersion(const VersionGroups& groups);

// A firmware file is at most 131,072 image characters and a few fields; a
// file far larger is no firmware file, and is not read into memory.
inline constexpr std::uintmax_t kMaxFirmwareFileSize = 16u * 1024u * 1024u;

// Reads a whole file; nothing when it cannot be opened or read, or is larger
// than `maxSize`.
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::uintmax_t maxSize = kMaxFirmwareFileSize);

}  // namespace tavix
