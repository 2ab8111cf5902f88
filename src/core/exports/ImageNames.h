#pragma once
// The chart image's save dialog without the dialog: the extension the chosen
// filter adds and the format a path's extension asks for. The proposed name
// follows the one rule of every export (ExportName.h).

#include <array>
#include <string>

namespace tavix {

enum class ImageFormat { Jpeg, Bmp, Png, Gif, Unknown };

// The filter entries of the save dialog, in order (1-based in the dialog).
struct ImageFilter {
    const char* name;       // "JPEG (*.jpg)"
    const char* extension;  // ".jpg"
};
inline constexpr std::array<ImageFilter, 4> kImageFilters{{
    {"JPEG (*.jpg)", ".jpg"},
    {"BMP (*.bmp)", ".bmp"},
    {"PNG (*.png)", ".png"},
    {"GIF (*.gif)", ".gif"},
}};

// `path` as typed: a file name without an extension gets the one of filter
// entry `filter` (1 JPEG, 2 BMP, 3 PNG, 4 GIF, anything else JPEG); a typed
// extension stays, whatever the filter.
std::string WithImageExtension(const std::string& path, int filter);

// The format a path's extension names (letter case ignored; .jpeg is JPEG too).
ImageFormat ImageFormatOf(const std::string& path);

}  // namespace tavix
