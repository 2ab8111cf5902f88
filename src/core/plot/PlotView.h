#pragma once
// Where the curves of a record stand on the screen, without the curves: the
// grid placed in the view, which samples of the record are visible, the
// two-click zoom and the time labels under the plot.
//
// States:
//
//   no record --(Reset with a record)--> full window
//   full window / zoomed --left click--> selecting (red marker at the click)
//   selecting --left click at the same x--> selecting
//   selecting --left click elsewhere--> zoomed (the samples between the clicks,
//                                        at least 10)
//   any state with a record --right click--> full window
//   any state with a record --wheel, pan drag--> zoomed (a pending first
//                                                click is dropped)
//
// The view only moves the window; whoever draws the points (CurveModel) maps
// them to the new window after a change.

#include <array>
#include <string>

namespace tavix {

inline constexpr int kGridCells = 10;   // cells across and down
inline constexpr int kLabelCount = 11;  // one label per grid line
inline constexpr int kMinZoomSamples = 10;
// One notch of the mouse wheel shows this many times fewer (or more) samples.
inline constexpr double kWheelZoom = 1.25;

// The grid placed in a view of `width` x `height` pixels that keeps `strip`
// pixels free at its bottom: ten cells each way, the view shrunk to fit them
// with one pixel for the closing grid line. A 401 x 300 view with a 17-pixel
// strip gets cells of 40 x 28, a plot of 400 x 280 and a size of 401 x 298.
struct PlotGeometry {
    int cellWidth = 1;
    int cellHeight = 1;
    int plotWidth = kGridCells;
    int plotHeight = kGridCells;
    int viewWidth = kGridCells + 1;
    int viewHeight = kGridCells + 1;
    int rows = kGridCells;  // cells down (a plot of the stacked layout has fewer)
};
// A view too small for a grid still gets cells of one pixel, so nothing
// divides by a plot size of zero.
PlotGeometry PlaceGrid(int width, int height, int strip, int rows = kGridCells);

enum class ClickResult {
    Ignored,  // no record
    Marked,   // first click: the marker stands at it
    SameX,    // second click at the first one's x: still waiting
    Zoomed,   // second click: the window is now the selection
};

class PlotView {
public:
    // --- placement --------------------------------------------------------
    void Place(int width, int height, int strip = 0, int rows = kGridCells) {
        geometry_ = PlaceGrid(width, height, strip, rows);
    }
    const PlotGeometry& Geometry() const { return geometry_; }

    // --- the record -------------------------------------------------------
    // A record was shown (or none): its length, and the whole of it visible.
    // A pending first click stays.
    void Reset(int samples, bool present);
    // The time axis now runs from plot sample `start` (0, or before it: a
    // compared record aligned to start earlier than the shown one) up to
    // `samples` (past the shown one's end for a longer record): a view of the
    // whole axis stays whole, a zoom keeps its window, moved inside the axis.
    // A start after 0 counts as 0: the shown record is always on the axis.
    // True when the axis changed.
    bool SetAxis(int start, int samples);
    bool RecordPresent() const { return present_; }
    // The first plot sample of the time axis (0 or negative).
    int AxisStart() const { return start_; }
    // One past the last plot sample of the time axis.
    int SampleCount() const { return samples_; }
    int FirstVisible() const { return first_; }
    int LastVisible() const { return last_; }

    // --- the two-click zoom (view coordinates) ------------------------------
    ClickResult OnLeftClick(int x);
    // A right click: false (nothing done) without a record.
    bool OnRightClick();
    bool Selecting() const { return selecting_; }
    int FirstClickX() const { return firstClick_; }
    // Zooms to the samples between the two clicks (at least 10).
    void ZoomToSelection();
    // The whole record again; a pending first click is dropped.
    void ShowAll();

    // --- moving through the record ------------------------------------------
    // Each of these keeps at least kMinZoomSamples samples (or the whole of a
    // shorter record) in view, never shows beyond the record, drops a pending
    // first click (its marker would stand at another time) and says whether
    // the window changed.
    //
    // Zooms by `notches` wheel notches around plot column `x`: in when
    // positive, out when negative, kWheelZoom per notch. The sample drawn at
    // x stays at x.
    bool ZoomAt(int x, double notches);
    // A drag that pans: grabbed at column `x` (false without a record), the
    // grabbed sample then follows the pointer, the window keeping its length.
    bool BeginPan(int x);
    bool PanTo(int x);
    void EndPan() { panning_ = false; }
    bool Panning() const { return panning_; }

    // The fractional sample under plot column `x` (clamped to the plot), kept
    // on the time axis so it and the next sample can be read.
    float PositionAt(int x) const;

    // --- time labels --------------------------------------------------------
    // Time of the visible window at `rate` samples per second (none: sample
    // numbers): 11 labels, one per grid line, all with the decimals the step
    // between them needs (0.2 s steps read 7.6, whole seconds read 7).
    void BuildTimeLabels(double rate);
    const std::array<std::string, kLabelCount>& TimeLabels() const { return timeLabels_; }

private:
    // Shows `count` samples from `first`; true when that is another window.
    bool SetWindow(int first, int count);

    PlotGeometry geometry_;
    bool present_ = false;
    int start_ = 0;
    int samples_ = 0;
    int first_ = 0;
    int last_ = 0;
    bool selecting_ = false;
    int firstClick_ = 0;
    int middle_ = 0;
    int secondClick_ = 0;
    bool panning_ = false;
    int panX_ = 0;
    int panFirst_ = 0;
    std::array<std::string, kLabelCount> timeLabels_ = {"0", "1", "2", "3", "4", "5",
                                                        "6", "7", "8", "9", "10"};
};

}  // namespace tavix
