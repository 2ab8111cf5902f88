#pragma once
// Firmware files made by code: the image text and version with the length
// field and the check field computed, as the ESC maker's tool writes them.

#include <cstdint>
#include <string>

#include "base/Bytes.h"
#include "link/Frame.h"

namespace tavix::test {

// "<hex>:<N>:<version>:<crc>:" followed by `trailing`, for any image text
// (odd lengths and non-hex characters included).
inline std::string FirmwareText(const std::string& hex, const std::string& version,
                                const std::string& trailing = "") {
    std::string text = hex + ":" + std::to_string(hex.size()) + ":" + version;
    const std::uint16_t crc =
        Crc16(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return text + ":" + std::to_string(crc) + ":" + trailing;
}

// Upper-case hex of `image`, two digits per byte.
inline std::string HexText(const Bytes& image) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(image.size() * 2);
    for (std::uint8_t b : image) {
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 0x0F]);
    }
    return hex;
}

// An image of `size` bytes whose every byte tells where it lies (a block sent
// to the wrong address shows).
inline Bytes PatternImage(std::size_t size) {
    Bytes image(size);
    for (std::size_t i = 0; i < size; ++i) {
        image[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8)) & 0xFF);
    }
    return image;
}

}  // namespace tavix::test
