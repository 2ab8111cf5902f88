#include "upgrade/FirmwareFile.h"

#include <cctype>
#include <cstdio>
#include <limits>

#include "base/FormatText.h"
#include "base/PlainText.h"
#include "base/RegularFile.h"
#include "base/Translate.h"
#include "link/Frame.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {

namespace {

constexpr char kColon = ':';
// How many characters of the two numbers are read at most.
constexpr std::size_t kLengthFieldMax = 8;
constexpr std::size_t kCheckFieldMax = 20;

}  // namespace

std::uint8_t HexDigitValue(char c) {
    if (c >= '1' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>(c - 'a' + 10);
    }
    return 0;
}

int AtoiValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // strtol's range, then the cut to int that atoi makes of it.
    constexpr auto kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t value = 0;
    bool clamped = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (value > (kLimit + 1 - digit) / 10) {
            clamped = true;
            break;
        }
        value = value * 10 + digit;
    }
    std::int64_t result = 0;
    if (clamped) {
        result = negative ? std::numeric_limits<std::int64_t>::min()
                          : std::numeric_limits<std::int64_t>::max();
    } else if (negative) {
        result = value > kLimit ? std::numeric_limits<std::int64_t>::min()
                                : -static_cast<std::int64_t>(value);
    } else {
        result = value > kLimit ? std::numeric_limits<std::int64_t>::max()
                                : static_cast<std::int64_t>(value);
    }
    return static_cast<int>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(result)));
}

FirmwareFile ParseFirmware(std::string content) {
    FirmwareFile file;
    file.content = std::move(content);
    const std::string& text = file.content;

    const std::size_t first = text.find(kColon);
    if (first == std::string::npos) {
        file.fault = FirmwareFault::NoColon;
        return file;
    }
    // The length field: up to the next colon, at most 8 characters.
    std::string length;
    std::size_t at = first + 1;
    while (at < text.size() && text[at] != kColon && length.size() < kLengthFieldMax) {
        length.push_back(text[at]);
        ++at;
    }
    if (static_cast<long long>(AtoiValue(length)) != static_cast<long long>(first)) {
        file.fault = FirmwareFault::LengthMismatch;
        return file;
    }
    file.hexCount = static_cast<std::uint32_t>(first);

    const std::size_t second = text.find(kColon, first + 1);
    const std::size_t third =
        second == std::string::npos ? std::string::npos : text.find(kColon, second + 1);
    if (third == std::string::npos) {
        file.fault = FirmwareFault::NoVersionEnd;
        return file;
    }
    file.version = text.substr(second + 1, third - second - 1);

    // The check field is tried at every colon after it; the characters in
    // between keep adding to it, up to 20 of them.
    const std::uint16_t crc = Crc16(reinterpret_cast<const std::uint8_t*>(text.data()), third);
    file.crc = crc;
    std::string check;
    bool matched = false;
    for (std::size_t i = third + 1; i < text.size() && check.size() < kCheckFieldMax; ++i) {
        if (text[i] != kColon) {
            check.push_back(text[i]);
            continue;
        }
        if (AtoiValue(check) == static_cast<int>(crc)) {
            matched = true;
            break;
        }
    }
    if (!matched) {
        file.fault = FirmwareFault::CheckFailed;
        return file;
    }
    if (file.ImageSize() == 0) {
        file.fault = FirmwareFault::EmptyImage;
        return file;
    }
    if (file.ImageSize() > kMaxFirmwareImage) {
        file.fault = FirmwareFault::TooLarge;
        return file;
    }
    if (file.version->size() != kFirmwareVersionSize ||
        file.version->find('\0') != std::string::npos) {
        file.fault = FirmwareFault::BadVersion;
        return file;
    }
    file.valid = true;
    file.fault = FirmwareFault::None;
    return file;
}

std::string FaultDetail(const FirmwareFile& file) {
    switch (file.fault) {
        case FirmwareFault::None:
            return {};
        case FirmwareFault::NoColon:
            return kDetailNoColon;
        case FirmwareFault::LengthMismatch:
            return FormatShown(kDetailLengthMismatch,
                               static_cast<unsigned long>(file.content.find(kColon)));
        case FirmwareFault::NoVersionEnd:
            return kDetailNoVersionEnd;
        case FirmwareFault::CheckFailed:
            return FormatShown(kDetailCheckFailed, static_cast<unsigned>(file.crc));
        case FirmwareFault::EmptyImage:
            return kDetailEmptyImage;
        case FirmwareFault::TooLarge:
            return FormatShown(kDetailTooLarge, static_cast<unsigned long>(file.ImageSize()),
                               static_cast<unsigned long>(kMaxFirmwareImage));
        case FirmwareFault::BadVersion: {
            const std::string version = file.version.value_or(std::string());
            const std::size_t zero = version.find('\0');
            if (zero != std::string::npos && version.size() == kFirmwareVersionSize) {
                return FormatShown(kDetailVersionZero, static_cast<unsigned long>(zero + 1));
            }
            return FormatShown(kDetailVersionLength, static_cast<unsigned long>(version.size()));
        }
    }
    return {};
}

std::uint8_t FirmwareFile::ImageByte(std::size_t i) const {
    return static_cast<std::uint8_t>(16 * HexDigitValue(content[2 * i]) +
                                     HexDigitValue(content[2 * i + 1]));
}

Bytes FirmwareFile::ImageBytes(std::size_t offset, std::size_t count) const {
    const std::size_t size = ImageSize();
    Bytes bytes;
    if (offset >= size) {
        return bytes;
    }
    const std::size_t end = count < size - offset ? offset + count : size;
    bytes.reserve(end - offset);
    for (std::size_t i = offset; i < end; ++i) {
        bytes.push_back(ImageByte(i));
    }
    return bytes;
}

std::size_t FirmwareFile::BlockCount() const {
    return (ImageSize() + kFirmwareBlockSize - 1) / kFirmwareBlockSize;
}

VersionGroups SplitVersion(const std::string& version) {
    VersionGroups groups;
    for (std::size_t g = 0; g < kVersionGroups; ++g) {
        const std::size_t from = g * kVersionGroupSize;
        if (from >= version.size()) {
            break;
        }
        groups[g] = UpToZero(version.substr(from, kVersionGroupSize));
    }
    return groups;
}

std::string JoinVersion(const VersionGroups& groups) {
    std::string joined;
    for (const std::string& group : groups) {
        joined += group;
    }
    return joined;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::uintmax_t maxSize) {
    // A FIFO or a device would block the read: only a regular file is opened.
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    std::size_t n = 0;
    bool tooLarge = false;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, n);
        if (content.size() > maxSize) {
            tooLarge = true;  // far too large for a firmware file
            break;
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (tooLarge || failed) {
        return std::nullopt;
    }
    return content;
}

}  // namespace tavix
