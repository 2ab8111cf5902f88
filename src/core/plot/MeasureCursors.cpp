#include "plot/MeasureCursors.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/FormatText.h"
#include "plot/PlotMessages.h"

namespace tavix {

int MeasureCursors::VisibleCount() const {
    const int end = std::min(view_.LastVisible(), view_.SampleCount());
    return std::max(0, end - view_.FirstVisible());
}

int MeasureCursors::SampleAt(int x) const {
    const int n = VisibleCount();
    if (!view_.RecordPresent() || n <= 0) {
        return 0;
    }
    const std::int64_t width = view_.Geometry().plotWidth;
    const std::int64_t column = std::clamp<std::int64_t>(x, 0, width);
    if (n == 1) {
        return view_.FirstVisible();
    }
    // Sample k lies at k * W / (n - 1) and is drawn at that position cut to a
    // whole pixel: the sample lying nearest the column, or a neighbour when
    // the cut draws that one nearer. At the edges this is the first and the
    // last sample.
    const std::int64_t gaps = n - 1;
    const std::int64_t nearest = (2 * column * gaps + width) / (2 * width);
    auto distance = [&](std::int64_t k) {
        const std::int64_t drawn = k * width / gaps;
        return drawn > column ? drawn - column : column - drawn;
    };
    std::int64_t k = nearest;
    for (const std::int64_t neighbour : {nearest - 1, nearest + 1}) {
        if (neighbour >= 0 && neighbour <= gaps && distance(neighbour) < distance(k)) {
            k = neighbour;
        }
    }
    return view_.FirstVisible() + static_cast<int>(k);
}

std::optional<int> MeasureCursors::PixelOf(int sample) const {
    const int n = VisibleCount();
    const int first = view_.FirstVisible();
    if (!view_.RecordPresent() || sample < first || sample >= first + n) {
        return std::nullopt;
    }
    const std::int64_t width = view_.Geometry().plotWidth;
    return n > 1 ? static_cast<int>((sample - first) * width / (n - 1)) : 0;
}

bool MeasureCursors::Place(Cursor which, int x) {
    if (!view_.RecordPresent() || VisibleCount() <= 0) {
        return false;
    }
    Slot(which) = SampleAt(x);
    last_ = which;
    return true;
}

bool MeasureCursors::PlaceAtSample(Cursor which, int sample) {
    if (!view_.RecordPresent() || view_.SampleCount() <= 0) {
        return false;
    }
    Slot(which) = std::clamp(sample, view_.AxisStart(), view_.SampleCount() - 1);
    last_ = which;
    return true;
}

bool MeasureCursors::Step(int samples) {
    if (!last_ || !view_.RecordPresent() || view_.SampleCount() <= 0) {
        return false;
    }
    std::optional<int>& slot = Slot(*last_);
    if (!slot) {
        return false;
    }
    const int moved = std::clamp(*slot + samples, view_.AxisStart(), view_.SampleCount() - 1);
    if (moved == *slot) {
        return false;
    }
    slot = moved;
    return true;
}

bool MeasureCursors::Clear() {
    const bool had = AnyPlaced();
    a_.reset();
    b_.reset();
    dragging_.reset();
    last_.reset();
    return had;
}

void MeasureCursors::KeepInside() {
    const int first = view_.AxisStart();
    const int last = std::max(first, view_.SampleCount() - 1);
    for (std::optional<int>* slot : {&a_, &b_}) {
        if (*slot) {
            *slot = std::clamp(**slot, first, last);
        }
    }
}

std::optional<Cursor> MeasureCursors::CursorNear(int x) const {
    std::optional<Cursor> nearest;
    int best = kGrabPixels;
    // B is looked at last and wins a tie: two cursors on one column are
    // pulled apart from the top one.
    for (Cursor which : {Cursor::A, Cursor::B}) {
        const std::optional<int> sample = SampleOf(which);
        const std::optional<int> pixel = sample ? PixelOf(*sample) : std::nullopt;
        if (pixel && std::abs(*pixel - x) <= best) {
            best = std::abs(*pixel - x);
            nearest = which;
        }
    }
    return nearest;
}

bool MeasureCursors::BeginDrag(Cursor which) {
    if (!SampleOf(which)) {
        return false;
    }
    dragging_ = which;
    last_ = which;
    return true;
}

bool MeasureCursors::DragTo(int x) {
    if (!dragging_ || !view_.RecordPresent()) {
        return false;
    }
    std::optional<int>& slot = Slot(*dragging_);
    const int sample = SampleAt(x);
    if (slot == sample) {
        return false;
    }
    slot = sample;
    return true;
}

std::string MeasureCursors::Label(Cursor which) const {
    const std::optional<int> sample = SampleOf(which);
    if (!sample) {
        return {};
    }
    const char* letter = which == Cursor::A ? kCursorLetterA : kCursorLetterB;
    const int rate = record_.header.rate;
    if (rate <= 0) {
        return FormatText(kFmtCursorSample, letter, *sample);
    }
    return FormatText(kFmtCursorTime, letter, static_cast<double>(*sample) / rate);
}

std::optional<SpanStatistics> MeasureCursors::Span() const {
    const SpanIndex* index = index_.get();
    if (!BothPlaced() || index == nullptr || index->Samples() <= 0) {
        return std::nullopt;
    }
    return index->Span(*a_, *b_);
}

}  // namespace tavix
