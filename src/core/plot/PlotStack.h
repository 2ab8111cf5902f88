#pragma once
// The record page's two layouts of the curves:
//
//   overlay   every curve on one plot, each channel on its own range (the
//             page's classic view)
//   stacked   one plot per curve, one above the other over one time axis:
//
//             +------------------------------+  Voltage
//             |                              |
//             +------------------------------+  Current
//             |                              |
//             +------------------------------+  ...
//              0    10    20    30    40   (s)
//
// The strips share the width, the time window, the zoom, the cursors and the
// read-out: they are one plot of the CurveModel placed with one strip's
// geometry (every strip has the same height, so a curve's rows are the same
// in any strip) and drawn once per strip, moved down to the strip's top.
// Which curves each layout draws is its own choice: the overlay draws the
// channels whose display box is ticked; the stacked layout keeps its own list
// (a curve is a channel, or kStackPower for the power curve, which appears
// while the power curve is shown).

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "flight/FlightRecord.h"
#include "plot/PlotView.h"

namespace tavix {

enum class PlotLayout { Overlay, Stacked };

// The layouts' names, in config.ini and on the command line.
inline constexpr const char* kLayoutOverlay = "overlay";
inline constexpr const char* kLayoutStacked = "stacked";
// config.ini's [display] entries of the record page's layout.
inline constexpr const char* kIniLayoutEntry = "layout";
inline constexpr const char* kIniStackedEntry = "stacked";
// The power curve in a list of stacked curves, and its name there.
inline constexpr int kStackPower = kChannelCount;
inline constexpr const char* kStackPowerName = "power";

std::optional<PlotLayout> ParseLayout(std::string_view text);
const char* LayoutName(PlotLayout layout);

// The curves the stacked layout draws at first: what a logger records and
// the power.
std::vector<int> DefaultStackedCurves();
// The stacked curves as config.ini keeps them ("0,1,2,3,4,power"), in the
// order of the strips; each curve once.
std::string StackedCurvesText(std::span<const int> curves);
// The list back from its text; a word that names no curve is left out, so a
// hand-edited line loses only what it got wrong. Empty text gives the default.
std::vector<int> ParseStackedCurves(std::string_view text);

// Grid rows of one strip: its scale reads at the top, the middle and the bottom.
inline constexpr int kStripRows = 4;

struct StackStrip {
    int curve = 0;  // a channel, or kStackPower
    int top = 0;    // view row of the strip's top grid line
};

class PlotStack {
public:
    // Lays `curves` out, top to bottom, in a view `width` x `height` pixels
    // with `gap` pixels between two strips. Each strip gets the grid of its
    // share of the height (kStripRows rows, at least one pixel each).
    void Arrange(std::span<const int> curves, int width, int height, int gap);
    // The grid of each strip, as the curves' model is placed with it.
    const PlotGeometry& StripGeometry() const { return geometry_; }
    const std::vector<StackStrip>& Strips() const { return strips_; }
    // Rows from the first strip's top to the last one's bottom line.
    int ViewHeight() const;
    // The strip whose rows hold view row `y` (a gap belongs to the strip
    // above it); -1 outside every strip or without strips.
    int StripAt(int y) const;

private:
    PlotGeometry geometry_;
    int gap_ = 0;
    std::vector<StackStrip> strips_;
};

}  // namespace tavix
