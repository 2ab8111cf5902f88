// The palette popup: its colours at their cells, hit testing in window
// pixels, placement at the screen edges and the pointer rules of the tracker.
#include "plot/ColourPalette.h"

#include <gtest/gtest.h>

#include <set>

#include "plot/PaletteTracker.h"

namespace tavix {
namespace {

using namespace palette;

constexpr int Cell(int row, int column) {
    return row * kColumns + column;
}

TEST(ColourPalette, CellsHoldTheGreysAndTheColourCube) {
    const struct {
        int row, column;
        int r, g, b;
    } cases[] = {
        {0, 0, 255, 255, 255}, {11, 0, 0, 0, 0},       {10, 0, 23, 23, 23}, {5, 0, 140, 140, 140},
        {0, 1, 0, 0, 0},       {1, 1, 0, 0, 51},       {0, 2, 0, 51, 0},    {5, 1, 0, 0, 255},
        {0, 7, 51, 0, 0},      {5, 18, 102, 255, 255}, {6, 1, 153, 0, 0},   {11, 18, 255, 255, 255},
        {6, 18, 255, 255, 0},  {3, 13, 102, 0, 153},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PaletteCellColour(Cell(c.row, c.column)), MakeColourRef(c.r, c.g, c.b))
            << "row " << c.row << " column " << c.column;
    }
    // Columns 1-18 hold each of the 216 colours once.
    std::set<ColourRef> cube;
    for (int i = 0; i < kCellCount; ++i) {
        if (i % kColumns != 0) {
            cube.insert(PaletteCellColour(i));
        }
    }
    EXPECT_EQ(cube.size(), 216u);
    EXPECT_EQ(PaletteCellColour(-1), 0u);
    EXPECT_EQ(PaletteCellColour(kCellCount), 0u);
}

TEST(ColourPalette, CellRectsHexTextAndLookup) {
    EXPECT_EQ(PaletteCellRect(Cell(0, 0)).right, 9);
    const PaletteRect last = PaletteCellRect(Cell(11, 18));
    EXPECT_EQ(last.left, 180);
    EXPECT_EQ(last.top, 110);
    EXPECT_EQ(last.Width(), kFill);
    EXPECT_EQ(last.Height(), kFill);

    EXPECT_EQ(HexColourText(MakeColourRef(0xAB, 0x01, 0xF0)), "#AB01F0");
    EXPECT_EQ(HexColourText(16711680u), "#0000FF");  // pure blue as config.ini stores it

    EXPECT_EQ(PaletteCellOf(MakeColourRef(0, 51, 0)), Cell(0, 2));
    EXPECT_EQ(PaletteCellOf(MakeColourRef(0, 0, 0)), Cell(0, 1));  // the first black
    EXPECT_EQ(PaletteCellOf(MakeColourRef(1, 2, 3)), -1);
}

TEST(ColourPalette, HitTestingInWindowPixels) {
    const struct {
        int x, y;
        PaletteArea area;
        int cell;
    } cases[] = {
        {1, 1, PaletteArea::Grid, Cell(0, 0)},
        {9, 9, PaletteArea::Grid, Cell(0, 0)},
        {10, 5, PaletteArea::Grid, -1},
        {5, 10, PaletteArea::Grid, -1},
        {0, 5, PaletteArea::Grid, -1},
        {11, 11, PaletteArea::Grid, Cell(1, 1)},
        {189, 119, PaletteArea::Grid, Cell(11, 18)},
        {190, 50, PaletteArea::Grid, -1},
        {120, 120, PaletteArea::Grid, -1},
        {50, 121, PaletteArea::Strip, -1},
        {50, 149, PaletteArea::Strip, -1},
        {168, 127, PaletteArea::MoreButton, -1},
        {183, 142, PaletteArea::MoreButton, -1},
        {184, 142, PaletteArea::Strip, -1},
        {-1, 50, PaletteArea::Outside, -1},
        {191, 50, PaletteArea::Outside, -1},
        {50, 150, PaletteArea::Outside, -1},
    };
    for (const auto& c : cases) {
        const PaletteHit hit = PaletteHitAt(c.x, c.y);
        EXPECT_EQ(hit.area, c.area) << c.x << "," << c.y;
        EXPECT_EQ(hit.cell, c.cell) << c.x << "," << c.y;
    }
}

TEST(ColourPalette, PlacementAtTheScreenEdges) {
    const PaletteRect screen{0, 0, 1280, 1024};
    const struct {
        PaletteRect button;
        PaletteRect screen;
        int left, top;
    } cases[] = {
        {{100, 200, 130, 220}, screen, 100, 219},         // below the button, overlapping by 1
        {{1260, 200, 1280, 220}, screen, 1089, 219},      // ends on the right edge
        {{-20, 200, 10, 220}, screen, 0, 219},            // never left of the screen
        {{100, 860, 130, 875}, screen, 100, 874},         // 874 + 150 = 1024: still fits
        {{100, 860, 130, 876}, screen, 100, 725},         // moved up: ends above the bottom
        {{100, 10, 130, 100}, {0, 0, 800, 200}, 100, 0},  // never above the screen
        // A second screen to the right of the first.
        {{2500, 300, 2530, 320}, {1280, 0, 2560, 1024}, 2369, 319},
    };
    for (const auto& c : cases) {
        const PalettePoint at = PalettePosition(c.button, c.screen);
        EXPECT_EQ(at, (PalettePoint{c.left, c.top})) << c.button.left << "," << c.button.top;
    }
}

class PaletteTrackerTest : public ::testing::Test {
protected:
    static constexpr ColourRef kInitial = MakeColourRef(10, 20, 30);
    static constexpr PalettePoint kOrigin{300, 400};  // the popup's top-left on the screen

    void SetUp() override { tracker.Open(kInitial, {310, 395}); }
    // Moves to window pixel (x, y) of the popup.
    PaletteMoveResult MoveTo(int x, int y, std::optional<ColourRef> pixel = std::nullopt) {
        return tracker.Move({kOrigin.x + x, kOrigin.y + y}, {x, y}, pixel);
    }
    PaletteEnd ReleaseAt(int x, int y) const {
        return tracker.Release({kOrigin.x + x, kOrigin.y + y});
    }
    static PaletteEnd Changed(ColourRef colour) { return {true, colour}; }
    static constexpr PaletteEnd kClosedUnchanged{true, std::nullopt};
    static constexpr PaletteEnd kStaysOpen{false, std::nullopt};

    PaletteTracker tracker;
};

TEST_F(PaletteTrackerTest, DraggingOntoACellChoosesItsColour) {
    const struct {
        int x, y;
        int r, g, b;
    } cases[] = {{15, 5, 0, 0, 0}, {15, 15, 0, 0, 51}, {25, 5, 0, 51, 0}, {5, 115, 0, 0, 0}};
    for (const auto& c : cases) {
        tracker.Open(kInitial, {310, 395});
        const PaletteMoveResult moved = MoveTo(c.x, c.y);
        EXPECT_TRUE(moved.hotChanged);
        EXPECT_EQ(moved.cursor, PaletteCursor::Pipette);
        EXPECT_EQ(tracker.Current(), MakeColourRef(c.r, c.g, c.b));
        EXPECT_EQ(ReleaseAt(c.x, c.y), Changed(MakeColourRef(c.r, c.g, c.b)));
    }
}

TEST_F(PaletteTrackerTest, OnlyAColourOtherThanTheButtonsIsANewColour) {
    const ColourRef cell = MakeColourRef(0, 51, 0);  // row 0, column 2
    tracker.Open(cell, {310, 395});
    MoveTo(25, 5);
    EXPECT_EQ(ReleaseAt(25, 5), kClosedUnchanged);
    EXPECT_EQ(tracker.Deactivate(), kClosedUnchanged);
    EXPECT_EQ(tracker.Choose(), kClosedUnchanged);
    MoveTo(15, 5);
    EXPECT_EQ(ReleaseAt(15, 5), Changed(MakeColourRef(0, 0, 0)));
}

TEST_F(PaletteTrackerTest, HoverFocusFollowsTheCellsAndLeavesOnGridLines) {
    PaletteMoveResult r = MoveTo(15, 15);
    EXPECT_EQ(tracker.Hot(), Cell(1, 1));
    EXPECT_EQ(r.oldHot, -1);
    r = MoveTo(16, 16);  // same cell: nothing to repaint
    EXPECT_FALSE(r.hotChanged);
    r = MoveTo(20, 16);  // grid line: no hot cell, the preview stays
    EXPECT_TRUE(r.hotChanged);
    EXPECT_EQ(r.oldHot, Cell(1, 1));
    EXPECT_EQ(tracker.Hot(), -1);
    EXPECT_EQ(tracker.Current(), MakeColourRef(0, 0, 51));
}

TEST_F(PaletteTrackerTest, TheStripRestoresTheInitialColourAndTheButtonFreesTheMouse) {
    MoveTo(25, 5);
    PaletteMoveResult r = MoveTo(60, 135);
    EXPECT_EQ(tracker.Current(), kInitial);
    EXPECT_EQ(r.cursor, PaletteCursor::Arrow);
    EXPECT_FALSE(r.releaseCapture);
    r = MoveTo(170, 130);
    EXPECT_TRUE(r.releaseCapture);
    EXPECT_EQ(ReleaseAt(60, 135), kClosedUnchanged);
}

TEST_F(PaletteTrackerTest, OutsideThePopupThePipetteReadsThePixel) {
    MoveTo(-50, 30, MakeColourRef(1, 2, 3) | 0x01000000);
    EXPECT_EQ(tracker.Current(), MakeColourRef(1, 2, 3));
    EXPECT_EQ(tracker.Hot(), -1);
    MoveTo(-60, 30, std::nullopt);  // unreadable: the preview stays
    EXPECT_EQ(tracker.Current(), MakeColourRef(1, 2, 3));
    EXPECT_EQ(ReleaseAt(-60, 30), Changed(MakeColourRef(1, 2, 3)));
}

TEST_F(PaletteTrackerTest, AClickLeavesItOpenAndTheNextClickChooses) {
    // The pointer reported where it was pressed: no move.
    tracker.Move({310, 395}, {10, -5}, std::nullopt);
    EXPECT_EQ(tracker.Release({310, 395}), kStaysOpen);
    // Losing activation now closes it with nothing chosen.
    EXPECT_EQ(tracker.Deactivate(), kClosedUnchanged);
    MoveTo(25, 5);
    tracker.Press({325, 405});
    EXPECT_EQ(tracker.Release({325, 405}), Changed(MakeColourRef(0, 51, 0)));
    // Losing activation after a move chooses.
    tracker.Open(kInitial, {310, 395});
    MoveTo(15, 15);
    EXPECT_EQ(tracker.Deactivate(), Changed(MakeColourRef(0, 0, 51)));
}

TEST_F(PaletteTrackerTest, ArrowKeysMoveTheHotCellWithinTheGrid) {
    tracker.Open(MakeColourRef(0, 51, 0), {0, 0});
    tracker.MoveHot(1, 0);  // starts at the current colour's cell
    EXPECT_EQ(tracker.Hot(), Cell(0, 2));
    tracker.MoveHot(-5, -1);
    EXPECT_EQ(tracker.Hot(), Cell(0, 0));
    EXPECT_EQ(tracker.Choose(), Changed(MakeColourRef(255, 255, 255)));
    tracker.MoveHot(30, 30);
    EXPECT_EQ(tracker.Hot(), Cell(11, 18));
}

}  // namespace
}  // namespace tavix
