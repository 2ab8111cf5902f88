#pragma once
// Two measuring cursors, A and B, on the curves of a record: where each one
// stands (a sample of the record, so a cursor keeps its place through a zoom),
// which pixel column of the plot shows it, and the statistics of the stretch
// between them.
//
// Pixels and samples map exactly as the curves are drawn: sample j of the
// visible window (first .. first + n - 1) stands at x = (j - first) * W / (n - 1)
// of a plot W pixels wide, and a pixel picks the sample drawn nearest to it.
//
// Gestures (the widget forwards them):
//   place A or B at x          the cursor jumps to the sample under x
//   press near a cursor        grabs it (within kGrabPixels), moving drags it
//   step                       the cursor last placed or dragged moves by
//                              whole samples (the arrow keys)
//   remove                     both cursors go
//   a record is loaded         both cursors go
//
// The statistics come from the record's SpanIndex, built once per record, so
// dragging costs one span query per sample crossed, not a pass over the record.

#include <memory>
#include <optional>
#include <string>

#include "analysis/SpanIndex.h"
#include "flight/FlightRecord.h"
#include "plot/PlotView.h"

namespace tavix {

enum class Cursor { A, B };

class MeasureCursors {
public:
    // A press this close to a cursor's line, in pixels, grabs it.
    static constexpr int kGrabPixels = 3;

    // The cursors stand on `record` as `view` shows it; `index` is the
    // record's SpanIndex, built anew for each record shown (null before one).
    MeasureCursors(const PlotView& view, const FlightRecord& record,
                   const std::unique_ptr<SpanIndex>& index)
        : view_(view), record_(record), index_(index) {}

    // --- pixels and samples -------------------------------------------------
    // The sample drawn nearest to plot column `x` (clamped to the plot), in
    // the visible window; 0 without a record.
    int SampleAt(int x) const;
    // The column where `sample` is drawn; empty when it lies outside the
    // visible window or there is no record.
    std::optional<int> PixelOf(int sample) const;

    // --- placing and dragging ---------------------------------------------
    // Puts `which` on the sample under `x`. False (nothing done) without a
    // record; true also when the cursor was there already.
    bool Place(Cursor which, int x);
    // Puts `which` on `sample`, clamped to the record (keyboard, tests).
    bool PlaceAtSample(Cursor which, int sample);
    // Both cursors removed; false when there were none.
    bool Clear();
    // The time axis got shorter: a cursor past its end moves onto its last sample.
    void KeepInside();

    // The visible cursor nearest to `x` within kGrabPixels, B before A on a tie.
    std::optional<Cursor> CursorNear(int x) const;
    // Grabs `which` for dragging (it must be placed).
    bool BeginDrag(Cursor which);
    // Moves the grabbed cursor to the sample under `x`; true when it moved to
    // another sample (only then do the statistics change).
    bool DragTo(int x);
    void EndDrag() { dragging_.reset(); }
    // Moves the cursor last placed or grabbed by `samples`, kept inside the
    // record; true when it moved.
    bool Step(int samples);
    std::optional<Cursor> Dragging() const { return dragging_; }

    // --- what is shown ------------------------------------------------------
    std::optional<int> SampleOf(Cursor which) const { return which == Cursor::A ? a_ : b_; }
    bool AnyPlaced() const { return a_.has_value() || b_.has_value(); }
    bool BothPlaced() const { return a_.has_value() && b_.has_value(); }
    // The cursor's label: its letter and its time ("A 12.35 s"), or its
    // sample number when the record has no sampling rate; "" when not placed.
    std::string Label(Cursor which) const;
    // The statistics from A to B (in either order); empty unless both stand
    // on a record.
    std::optional<SpanStatistics> Span() const;

private:
    std::optional<int>& Slot(Cursor which) { return which == Cursor::A ? a_ : b_; }
    // The visible window: its first sample and how many are drawn.
    int VisibleCount() const;

    const PlotView& view_;
    const FlightRecord& record_;
    const std::unique_ptr<SpanIndex>& index_;
    std::optional<int> a_;
    std::optional<int> b_;
    std::optional<Cursor> dragging_;
    std::optional<Cursor> last_;
};

}  // namespace tavix
