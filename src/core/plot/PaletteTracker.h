#pragma once
// What the palette popup does with the pointer while it is open.
//
//   closed --press on the button--> open, opening press
//     move: over a cell   -> that cell is hot, its colour is previewed
//           on a grid line -> no hot cell, the preview keeps its colour
//           over the strip -> no hot cell, the colour the button had
//           outside        -> the colour of the pixel under the pointer (pipette)
//     release: after a move, the previewed colour is chosen (popup closes);
//              without one (a plain click on the button) the popup stays
//              open, tracking the pointer, and the next press and release
//              chooses.
//     losing activation: after a move, the previewed colour is chosen; without
//              one the popup closes with nothing chosen. Escape: the same.
//
// Keys move the hot cell (arrows) and choose it (Enter). The widget turns
// what the tracker says into a repaint, a cursor and a closed popup; whether
// the chosen colour is a change is the button's business.

#include <optional>

#include "plot/ColourPalette.h"

namespace tavix {

enum class PaletteCursor { Pipette, Arrow };

// What a pointer move asks of the popup window.
struct PaletteMoveResult {
    int oldHot = -1;  // the cell to repaint without its focus (when it changed)
    bool hotChanged = false;
    PaletteCursor cursor = PaletteCursor::Pipette;
    bool releaseCapture = false;  // over the more-colours button, so it can be clicked
};

class PaletteTracker {
public:
    // The popup opens with the button's colour as current and initial colour,
    // by a press at `screen` (screen pixels).
    void Open(ColourRef colour, PalettePoint screen);

    // A press inside the open popup (the second click of click-move-click).
    void Press(PalettePoint screen);

    // The pointer is at `screen`, at `window` in window pixels of the popup.
    // `pixel` is the colour on the screen under the pointer (nothing when it
    // cannot be read); it is used outside the popup.
    PaletteMoveResult Move(PalettePoint screen, PalettePoint window,
                           std::optional<ColourRef> pixel);

    // The button was released at `screen`: the chosen colour, or nothing when
    // the popup stays open.
    std::optional<ColourRef> Release(PalettePoint screen);
    // The popup lost activation (another window was clicked or activated).
    std::optional<ColourRef> Deactivate();

    // Arrow keys: the hot cell moves by (columns, rows), stopping at the edges;
    // without a hot cell it starts from the current colour's cell (or the first).
    void MoveHot(int columns, int rows);
    // Enter: the current colour.
    ColourRef Choose() const { return current_; }

    ColourRef Current() const { return current_; }
    ColourRef Initial() const { return initial_; }
    int Hot() const { return hot_; }
    bool Moved() const { return moved_; }

private:
    ColourRef current_ = 0;
    ColourRef initial_ = 0;
    int hot_ = -1;
    PalettePoint pressedAt_;
    bool moved_ = false;
    bool openingPress_ = true;
};

}  // namespace tavix
