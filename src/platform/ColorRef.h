#pragma once
// Colours come from config.ini and the record files as COLORREF values
// (0x00BBGGRR, red in the low byte); the window draws with QColor.

#include <QColor>
#include <cstdint>

namespace tavix {

inline QColor FromColorRef(std::uint32_t colorref) {
    return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                  static_cast<int>((colorref >> 16) & 0xFF));
}

}  // namespace tavix
