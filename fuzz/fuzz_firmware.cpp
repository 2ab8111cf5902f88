// Firmware files (.Dlc) as a user may pick any file: the loader must never
// read outside the file, a file it takes must hold together (length field,
// check field, image size within what 16-bit block addresses reach), and the
// image it decodes must come back from a file written anew around it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/Frame.h"
#include "upgrade/FirmwareFile.h"

namespace {

std::string Rebuilt(const tavix::Bytes& image, const std::string& version) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t b : image) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 0x0F]);
    }
    text += ":" + std::to_string(image.size() * 2) + ":" + version;
    const std::uint16_t crc =
        tavix::Crc16(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return text + ":" + std::to_string(crc) + ":";
}

// Every rule a file the loader takes must satisfy.
void CheckTaken(const tavix::FirmwareFile& file) {
    using namespace tavix;
    const std::string& text = file.content;
    const std::size_t first = text.find(':');
    if (!file.hexCount || !file.version || first != *file.hexCount ||
        file.version->size() != kFirmwareVersionSize ||
        file.version->find('\0') != std::string::npos) {
        __builtin_trap();
    }
    const std::size_t second = text.find(':', first + 1);
    const std::size_t third = second + 1 + file.version->size();
    if (second == std::string::npos || third >= text.size() || text[third] != ':' ||
        Crc16(reinterpret_cast<const std::uint8_t*>(text.data()), third) != file.crc) {
        __builtin_trap();
    }
    const std::size_t imageSize = file.ImageSize();
    if (imageSize > kMaxFirmwareImage || file.BlockCount() * kFirmwareBlockSize < imageSize) {
        __builtin_trap();
    }
    const Bytes image = file.ImageBytes(0, imageSize);
    if (image.size() != imageSize || !file.ImageBytes(imageSize, 1).empty()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < imageSize; ++i) {
        if (image[i] != 16 * HexDigitValue(text[2 * i]) + HexDigitValue(text[2 * i + 1])) {
            __builtin_trap();
        }
    }
    const FirmwareFile again = ParseFirmware(Rebuilt(image, *file.version));
    if (!again.valid || again.ImageBytes(0, imageSize) != image || again.version != file.version) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavix;
    const std::string input(reinterpret_cast<const char*>(data), size);

    // The input as a file.
    const FirmwareFile file = ParseFirmware(input);
    if (file.valid) {
        CheckTaken(file);
    } else if (file.fault == FirmwareFault::None || FaultDetail(file).empty()) {
        __builtin_trap();
    }

    // The input as the fields of a file the maker's tool wrote: a version of
    // 16 characters, then image text of any characters, with the length and
    // check fields made to match. It must be taken.
    std::string version = input.substr(0, size < 16 ? size : 16);
    std::string hex = input.substr(version.size());
    version.resize(16, '0');
    for (char& c : version) {
        c = c == ':' ? '-' : c == '\0' ? '0' : c;
    }
    for (char& c : hex) {
        c = c == ':' ? 'x' : c;
    }
    std::string text = hex + ":" + std::to_string(hex.size()) + ":" + version;
    const std::uint16_t crc =
        Crc16(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    text += ":" + std::to_string(crc) + ":" + input;
    const FirmwareFile made = ParseFirmware(text);
    if (hex.size() / 2 == 0) {
        // Nothing to flash: refused as such, never taken.
        if (made.valid || made.fault != FirmwareFault::EmptyImage) {
            __builtin_trap();
        }
        return 0;
    }
    if (hex.size() / 2 > kMaxFirmwareImage) {
        if (made.valid || made.fault != FirmwareFault::TooLarge) {
            __builtin_trap();
        }
        return 0;
    }
    if (!made.valid) {
        __builtin_trap();
    }
    CheckTaken(made);
    return 0;
}
