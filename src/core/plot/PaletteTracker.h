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
// what the tracker says into a repaint, a cursor and a closed popup. Only a
// chosen colour that differs from the button's is a new colour: choosing the
// colour the button already has closes the popup and tells nobody.

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

// How the popup ends after a release, a lost activation or a key.
struct PaletteEnd {
    bool closes = false;                 // false: the popup stays open
    std::optional<ColourRef> newColour;  // the choice, only when it is a change
    bool operator==(const PaletteEnd&) const = default;
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

    // The button was released at `screen`.
    PaletteEnd Release(PalettePoint screen) const;
    // The popup lost activation (another window was clicked or activated).
    PaletteEnd Deactivate() const;

    // Arrow keys: the hot cell moves by (columns, rows), stopping at the edges;
    // without a hot cell it starts from the current colour's cell (or the first).
    void MoveHot(int columns, int rows);
    // Enter: the current colour.
    PaletteEnd Choose() const { return Chosen(current_); }

    ColourRef Current() const { return current_; }
    int Hot() const { return hot_; }

private:
    PaletteEnd Chosen(ColourRef colour) const;

    ColourRef current_ = 0;
    ColourRef initial_ = 0;
    int hot_ = -1;
    PalettePoint pressedAt_;
    bool moved_ = false;
    bool openingPress_ = true;
};

}  // namespace tavix
