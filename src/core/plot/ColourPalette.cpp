#include "plot/ColourPalette.h"

#include <algorithm>

#include "base/FormatText.h"

namespace tavix {

using namespace palette;

std::string HexColourText(ColourRef colour) {
    return FormatText("#%02X%02X%02X", RedOf(colour), GreenOf(colour), BlueOf(colour));
}

ColourRef PaletteCellColour(int index) {
    if (index < 0 || index >= kCellCount) {
        return 0;
    }
    const int row = index / kColumns;
    const int column = index % kColumns;
    if (column == 0) {
        const int grey = kGreys[static_cast<std::size_t>(row)];
        return MakeColourRef(grey, grey, grey);
    }
    // The 6 x 6 x 6 cube, blue fastest, in two blocks of six rows.
    const int block = row / 6;
    const int n = (18 * block + (column - 1)) * 6 + row % 6;
    return MakeColourRef(kLevelStep * (n / 36), kLevelStep * (n / 6 % 6), kLevelStep * (n % 6));
}

PaletteRect PaletteCellRect(int index) {
    const int x = index % kColumns * kPitch;
    const int y = index / kColumns * kPitch;
    return {x, y, x + kFill, y + kFill};
}

int PaletteCellOf(ColourRef colour) {
    for (int i = 0; i < kCellCount; ++i) {
        if (PaletteCellColour(i) == (colour & 0xFFFFFF)) {
            return i;
        }
    }
    return -1;
}

PaletteHit PaletteHitAt(int windowX, int windowY) {
    if (windowX < 0 || windowY < 0 || windowX >= kWidth || windowY >= kHeight) {
        return {};
    }
    const int clientX = windowX - kBorder;
    const int clientY = windowY - kBorder;
    if (clientY >= kGridHeight) {
        return {
            kMoreButton.Contains(clientX, clientY) ? PaletteArea::MoreButton : PaletteArea::Strip,
            -1};
    }
    if (windowX % kPitch == 0 || windowY % kPitch == 0) {
        return {PaletteArea::Grid, -1};
    }
    return {PaletteArea::Grid, windowY / kPitch * kColumns + windowX / kPitch};
}

PalettePoint PalettePosition(const PaletteRect& button, const PaletteRect& screen) {
    const int left = std::max(std::min(button.left, screen.right - kWidth), screen.left);
    int top = button.bottom - 1;
    if (top > screen.bottom - kHeight) {
        top -= kHeight;
    }
    return {left, std::max(top, screen.top)};
}

}  // namespace tavix
