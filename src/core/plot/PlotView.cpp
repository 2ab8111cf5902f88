#include "plot/PlotView.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/FormatText.h"
#include "plot/PlotMessages.h"

namespace tavix {

PlotGeometry PlaceGrid(int width, int height, int strip, int rows) {
    PlotGeometry g;
    g.rows = std::max(1, rows);
    g.cellWidth = std::max(1, (width - 1) / kGridCells);
    g.cellHeight = std::max(1, (height - strip - 1) / g.rows);
    g.plotWidth = kGridCells * g.cellWidth;
    g.plotHeight = g.rows * g.cellHeight;
    g.viewWidth = g.plotWidth + 1;
    g.viewHeight = g.plotHeight + strip + 1;
    return g;
}

void PlotView::Reset(int samples, bool present) {
    start_ = 0;
    samples_ = samples;
    present_ = present;
    first_ = 0;
    last_ = samples_;
}

bool PlotView::SetAxis(int start, int samples) {
    start = std::min(0, start);
    samples = std::max(0, samples);
    if (start == start_ && samples == samples_) {
        return false;
    }
    const bool whole = first_ == start_ && last_ == samples_;
    const int count = std::min(last_ - first_, samples - start);
    start_ = start;
    samples_ = samples;
    if (whole) {
        first_ = start_;
        last_ = samples_;
    } else {
        last_ = std::min(last_, samples_);
        first_ = std::max(start_, std::min(first_, last_ - count));
        last_ = first_ + count;
    }
    return true;
}

void PlotView::ZoomToSelection() {
    const std::int64_t width = geometry_.plotWidth;
    const std::int64_t lo = std::min(firstClick_, secondClick_);
    const std::int64_t hi = std::max(firstClick_, secondClick_);
    const std::int64_t span = last_ - first_;
    const std::int64_t selected = (hi - lo) * span / width + 1;
    std::int64_t first = first_;
    std::int64_t last = last_;
    if (selected < kMinZoomSamples) {
        // Too few samples to study: ten around the middle of the selection,
        // moved inside the record at either end.
        const std::int64_t centre = span * middle_ / width + first_;
        const std::int64_t half = kMinZoomSamples / 2;
        first = centre - half;
        last = centre + half;
        if (centre - half < start_) {
            first = start_;
            last = start_ + kMinZoomSamples;
        } else if (samples_ < centre + half) {
            first = samples_ - kMinZoomSamples;
            last = samples_;
        }
    } else {
        first = lo * span / width + first_;
        last = first + selected;
    }
    // A selection reaching the right edge (or a record shorter than ten
    // samples) never reaches past the record.
    first_ = static_cast<int>(std::clamp<std::int64_t>(first, start_, samples_));
    last_ = static_cast<int>(std::clamp<std::int64_t>(last, first_, samples_));
}

void PlotView::ShowAll() {
    selecting_ = false;
    first_ = start_;
    last_ = samples_;
}

ClickResult PlotView::OnLeftClick(int x) {
    if (!present_) {
        return ClickResult::Ignored;
    }
    x = std::clamp(x, 0, geometry_.plotWidth);
    if (!selecting_) {
        firstClick_ = x;
        selecting_ = true;
        return ClickResult::Marked;
    }
    if (x == firstClick_) {
        return ClickResult::SameX;
    }
    secondClick_ = x;
    selecting_ = false;
    middle_ = (firstClick_ + secondClick_) / 2;
    ZoomToSelection();
    return ClickResult::Zoomed;
}

bool PlotView::OnRightClick() {
    if (!present_) {
        return false;
    }
    ShowAll();
    return true;
}

float PlotView::PositionAt(int x) const {
    // The inverse of WindowColumn: the first visible sample is drawn at
    // column 0 and the last one (last_ - 1) at the right edge.
    x = std::clamp(x, 0, geometry_.plotWidth);
    const float f = static_cast<float>(first_) +
                    static_cast<float>(std::max(0, last_ - first_ - 1)) * static_cast<float>(x) /
                        static_cast<float>(geometry_.plotWidth);
    // Two neighbouring samples inside the axis, even at the right edge.
    return std::clamp(f, static_cast<float>(start_),
                      static_cast<float>(std::max(start_, samples_ - 1)));
}

namespace {

// The window of `count` samples whose sample `anchor` (fractional) is drawn at
// column x of a plot `width` wide, moved inside an axis from `start` up to
// `samples`.
int FirstFor(double anchor, int x, int count, int width, int start, int samples) {
    const double first = anchor - static_cast<double>(x) * (count - 1) / width;
    return std::clamp(static_cast<int>(std::lround(first)), start,
                      std::max(start, samples - count));
}

// The decimals all time labels of an axis share: as few as show every label
// as it is (a step of 0.2 s reads 7.6, whole seconds read 7), but no more
// than it takes to tell a tenth of the step, so a step of 1/3 s reads 0.33.
int TimeDecimals(const std::array<double, kLabelCount>& times, double step) {
    constexpr int kMost = 6;
    if (!(step > 0)) {
        return 0;
    }
    const int most =
        std::clamp(static_cast<int>(std::ceil(-std::log10(step / 10.0) - 1e-9)), 0, kMost);
    for (int d = 0; d < most; ++d) {
        const double scale = std::pow(10.0, d);
        const bool exact = std::all_of(times.begin(), times.end(), [&](double t) {
            return std::abs(std::round(t * scale) - t * scale) <= 1e-6 * step * scale;
        });
        if (exact) {
            return d;
        }
    }
    return most;
}

}  // namespace

bool PlotView::SetWindow(int first, int count) {
    if (first == first_ && first + count == last_) {
        return false;
    }
    first_ = first;
    last_ = first + count;
    // The marker of a pending first click would now stand at another time.
    selecting_ = false;
    return true;
}

bool PlotView::ZoomAt(int x, double notches) {
    const int length = samples_ - start_;
    if (!present_ || length < 1) {
        return false;
    }
    x = std::clamp(x, 0, geometry_.plotWidth);
    const int count = last_ - first_;
    // The sample drawn at x: samples first .. last - 1 spread edge to edge.
    const double anchor =
        first_ + (count > 1 ? static_cast<double>(x) * (count - 1) / geometry_.plotWidth : 0.0);
    const double wanted = count / std::pow(kWheelZoom, notches);
    const int fewest = std::min(kMinZoomSamples, length);
    const int next = static_cast<int>(
        std::clamp(std::lround(wanted), static_cast<long>(fewest), static_cast<long>(length)));
    return SetWindow(FirstFor(anchor, x, next, geometry_.plotWidth, start_, samples_), next);
}

bool PlotView::BeginPan(int x) {
    if (!present_) {
        return false;
    }
    panning_ = true;
    panX_ = std::clamp(x, 0, geometry_.plotWidth);
    panFirst_ = first_;
    return true;
}

bool PlotView::PanTo(int x) {
    if (!panning_) {
        return false;
    }
    const int count = last_ - first_;
    // The grabbed sample moves with the pointer: x - panX_ columns are
    // (x - panX_) * (count - 1) / width samples.
    const double anchor =
        panFirst_ + static_cast<double>(panX_) * (count - 1) / geometry_.plotWidth;
    return SetWindow(FirstFor(anchor, x, count, geometry_.plotWidth, start_, samples_), count);
}

void PlotView::BuildTimeLabels(double rate) {
    if (!present_) {
        // No record, no time: an axis of the empty memory would tell of a
        // flight that is not there.
        timeLabels_.fill(std::string());
        return;
    }
    // A record without a rate counts samples instead of dividing by zero.
    if (!(rate > 0)) {
        rate = 1.0;
    }
    // The edges carry the times of the samples drawn on them: the first and
    // the last of the window (last visible is one past it), where the curves
    // and the cursors put them.
    const double t0 = first_ / rate;
    const double t1 = std::max(first_, last_ - 1) / rate;
    std::array<double, kLabelCount> times{};
    for (int k = 0; k < kLabelCount; ++k) {
        times[k] = t0 + k * (t1 - t0) / kGridCells;
    }
    const int decimals = TimeDecimals(times, (t1 - t0) / kGridCells);
    for (int k = 0; k < kLabelCount; ++k) {
        timeLabels_[k] = FormatText(kFmtTime, decimals, times[k]);
    }
}

}  // namespace tavix
