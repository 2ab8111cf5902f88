#pragma once
// The colour picker's popup palette: its geometry, its 228 colours and the
// rules that place it on the screen.
//
//   +--------------------------------------------+  191 x 150, 1-pixel border
//   | 19 columns x 12 rows of 10 x 10 cells      |  column 0: greys, white at the
//   | (9 x 9 colour, then a black grid line)     |  top to black at the bottom;
//   |                                            |  columns 1-18: the 216 colours
//   +--------------------------------------------+  y 120: the lower strip
//   | [preview]     #RRGGBB                 [more]|  preview, hex text, "more colours"
//   +--------------------------------------------+
//
// Coordinates are client pixels (inside the border) unless a name says
// window pixels (from the window's top-left corner, border included).
// Colours are Windows COLORREF values, 0x00BBGGRR, as config.ini keeps them.

#include <array>
#include <cstdint>
#include <string>

namespace tavix {

using ColourRef = std::uint32_t;

constexpr ColourRef MakeColourRef(int red, int green, int blue) {
    return static_cast<ColourRef>(red & 0xFF) | static_cast<ColourRef>(green & 0xFF) << 8 |
           static_cast<ColourRef>(blue & 0xFF) << 16;
}
constexpr int RedOf(ColourRef c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(ColourRef c) {
    return static_cast<int>(c >> 8 & 0xFF);
}
constexpr int BlueOf(ColourRef c) {
    return static_cast<int>(c >> 16 & 0xFF);
}

// "#" and red, green, blue as two upper-case hex digits each: "#FF0000" for red.
std::string HexColourText(ColourRef colour);

struct PaletteRect {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct PalettePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PalettePoint&) const = default;
};

namespace palette {

inline constexpr int kWidth = 191;  // the window, border included
inline constexpr int kHeight = 150;
inline constexpr int kBorder = 1;
inline constexpr int kColumns = 19;
inline constexpr int kRows = 12;
inline constexpr int kCellCount = kColumns * kRows;  // 228
inline constexpr int kPitch = 10;                    // cell and grid line
inline constexpr int kFill = 9;                      // the coloured part of a cell
inline constexpr int kGridHeight = kRows * kPitch;   // 120: the strip starts here

// Greys of column 0, row 0 to 11.
inline constexpr std::array<int, kRows> kGreys{255, 232, 209, 186, 163, 140,
                                               117, 94,  71,  48,  23,  0};
// The six levels of each component of the other 216 colours.
inline constexpr int kLevelStep = 51;

inline constexpr PaletteRect kStrip{0, kGridHeight, kWidth, kHeight};
inline constexpr PaletteRect kPreview{5, 125, 40, 143};
inline constexpr PaletteRect kPreviewFrame{4, 124, 41, 144};
inline constexpr PalettePoint kHexTextAt{80, 127};
inline constexpr int kHexFontHeight = 12;
// The face of the hex text: SimSun, named in GBK.
inline constexpr const char* kHexFontFace = "\xCB\xCE\xCC\xE5";
inline constexpr PaletteRect kMoreButton{167, 126, 183, 142};

// The window class and title of the popup.
inline constexpr const char* kClassName = "ColorPalette";
inline constexpr const char* kTitle = "Palatte";

}  // namespace palette

// The colour of cell `index` (row x 19 + column); 0 for an index outside 0-227.
ColourRef PaletteCellColour(int index);
// The coloured 9 x 9 square of cell `index`, client pixels.
PaletteRect PaletteCellRect(int index);
// The cell whose colour is `colour`, or -1 when the palette has none.
int PaletteCellOf(ColourRef colour);

// What lies under a point of the popup.
enum class PaletteArea { Outside, Grid, Strip, MoreButton };

struct PaletteHit {
    PaletteArea area = PaletteArea::Outside;
    int cell = -1;  // in the grid: the cell, or -1 on a grid line
};

// Hit test in window pixels (border included): on a grid line when x or y is
// a multiple of 10, else in column x / 10 and row y / 10.
PaletteHit PaletteHitAt(int windowX, int windowY);

// Where the popup of a button goes, in screen pixels. Its left edge is the
// button's, moved left so that it ends on the screen's right edge and never
// before the screen's left edge; its top is one pixel above the button's
// bottom, or 150 pixels higher when the popup would reach below the screen
// (it then ends one pixel above the button's bottom), but never above the
// screen's top.
PalettePoint PalettePosition(const PaletteRect& button, const PaletteRect& screen);

}  // namespace tavix
