#pragma once
// The chart image's save dialog without the dialog: the proposed name with its
// own counter, the extension the chosen filter adds, and the format a path's
// extension asks for.

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

// The proposed name "Untitled_<year>_<month>_<day>_<n>": n starts at 1 with
// the program and grows by one each time the user confirms the dialog
// (cancelling leaves it). The CSV export counts on its own.
class ImageNameCounter {
public:
    std::string Proposed(int year, int month, int day) const;
    void Confirmed() { ++next_; }
    int Next() const { return next_; }

private:
    int next_ = 1;
};

// `path` as typed: a file name without an extension gets the one of filter
// entry `filter` (1 JPEG, 2 BMP, 3 PNG, 4 GIF, anything else JPEG); a typed
// extension stays, whatever the filter.
std::string WithImageExtension(const std::string& path, int filter);

// The format a path's extension names (letter case ignored; .jpeg is JPEG too).
ImageFormat ImageFormatOf(const std::string& path);

}  // namespace tavix
