#include "plot/PaletteTracker.h"

#include <algorithm>

namespace tavix {

using namespace palette;

void PaletteTracker::Open(ColourRef colour, PalettePoint screen) {
    current_ = colour;
    initial_ = colour;
    hot_ = -1;
    pressedAt_ = screen;
    moved_ = false;
    openingPress_ = true;
}

void PaletteTracker::Press(PalettePoint screen) {
    pressedAt_ = screen;
    moved_ = false;
    openingPress_ = false;
}

PaletteMoveResult PaletteTracker::Move(PalettePoint screen, PalettePoint window,
                                       std::optional<ColourRef> pixel) {
    PaletteMoveResult result;
    if (!(screen == pressedAt_)) {
        moved_ = true;
    }
    const PaletteHit hit = PaletteHitAt(window.x, window.y);
    int hot = -1;
    switch (hit.area) {
        case PaletteArea::Grid:
            hot = hit.cell;
            if (hot >= 0) {
                current_ = PaletteCellColour(hot);
            }
            break;
        case PaletteArea::MoreButton:
            current_ = initial_;
            result.cursor = PaletteCursor::Arrow;
            result.releaseCapture = true;
            break;
        case PaletteArea::Strip:
            current_ = initial_;
            result.cursor = PaletteCursor::Arrow;
            break;
        case PaletteArea::Outside:
            // A pixel that cannot be read leaves the preview as it was.
            if (pixel) {
                current_ = *pixel & 0xFFFFFF;
            }
            break;
    }
    if (hot != hot_) {
        result.oldHot = hot_;
        result.hotChanged = true;
        hot_ = hot;
    }
    return result;
}

PaletteEnd PaletteTracker::Chosen(ColourRef colour) const {
    PaletteEnd end{true, std::nullopt};
    if (colour != initial_) {
        end.newColour = colour;
    }
    return end;
}

PaletteEnd PaletteTracker::Release(PalettePoint screen) const {
    if (moved_ || (!openingPress_ && screen == pressedAt_)) {
        return Chosen(current_);
    }
    return {};
}

PaletteEnd PaletteTracker::Deactivate() const {
    return moved_ ? Chosen(current_) : PaletteEnd{true, std::nullopt};
}

void PaletteTracker::MoveHot(int columns, int rows) {
    int at = hot_;
    if (at < 0) {
        at = std::max(PaletteCellOf(current_), 0);
        columns = 0;
        rows = 0;
    }
    const int column = std::clamp(at % kColumns + columns, 0, kColumns - 1);
    const int row = std::clamp(at / kColumns + rows, 0, kRows - 1);
    hot_ = row * kColumns + column;
    current_ = PaletteCellColour(hot_);
}

}  // namespace tavix
