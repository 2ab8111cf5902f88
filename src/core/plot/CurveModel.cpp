#include "plot/CurveModel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "analysis/SpanIndex.h"
#include "base/FormatText.h"
#include "plot/PlotMessages.h"

namespace tavix {

namespace {

// Leading blanks off, as the statistics fields show their numbers.
std::string TrimLeft(const std::string& text) {
    const auto start = text.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start);
}

// The power curve's range: 0 (or below it) to a twentieth above the peak.
AxisRange PowerRangeOf(const SpanStatistics& whole) {
    const SeriesSpan& power = whole.series[kPowerSeries];
    AxisRange range{std::min(0.0f, power.min), std::max(0.0f, power.max)};
    range.max += (range.max - range.min) / 20.0f;
    if (!(range.max > range.min)) {
        range.max = range.min + 1.0f;  // no power at all: a flat line at the bottom
    }
    return range;
}

std::string YLabelText(float value, float width) {
    if (width >= 100.0f) {
        const float whole = std::trunc(value);
        if (whole >= static_cast<float>(std::numeric_limits<int>::min()) &&
            whole < static_cast<float>(std::numeric_limits<int>::max())) {
            return FormatText(kFmtYLabelWide, static_cast<int>(whole));
        }
        return FormatText("%6.0f ", static_cast<double>(whole));
    }
    return FormatText(width >= 10.0f ? kFmtYLabelMedium : kFmtYLabelNarrow,
                      static_cast<double>(value));
}

}  // namespace

PlotGeometry PlaceGrid(int width, int height, int strip) {
    PlotGeometry g;
    g.cellWidth = std::max(1, (width - 1) / kGridCells);
    g.cellHeight = std::max(1, (height - strip - 1) / kGridCells);
    g.plotWidth = kGridCells * g.cellWidth;
    g.plotHeight = kGridCells * g.cellHeight;
    g.viewWidth = g.plotWidth + 1;
    g.viewHeight = g.plotHeight + strip + 1;
    return g;
}

void ReduceToColumns(std::span<const PlotPoint> points, std::vector<PlotPoint>& out) {
    out.clear();
    auto push = [&out](const PlotPoint& p) {
        if (out.empty() || !(out.back() == p)) {
            out.push_back(p);
        }
    };
    std::size_t i = 0;
    while (i < points.size()) {
        const std::size_t begin = i;
        std::size_t low = i;
        std::size_t high = i;
        while (i < points.size() && points[i].x == points[begin].x) {
            if (points[i].y < points[low].y) {
                low = i;
            }
            if (points[i].y > points[high].y) {
                high = i;
            }
            ++i;
        }
        push(points[begin]);
        push(points[std::min(low, high)]);
        push(points[std::max(low, high)]);
        push(points[i - 1]);
    }
}

CurveModel::CurveModel(FlightData& data, const std::array<int, kChannelCount>& windows)
    : data_(data), record_(data.record), windows_(windows) {
    for (auto& channel : points_) {
        channel.reserve(kMaxSamples);
    }
    for (int k = 0; k < kLabelCount; ++k) {
        timeLabels_[k] = std::to_string(k);
        yLabels_[k] = std::to_string(kLabelCount - 1 - k);
    }
    statistics_ = {kStatisticNone, kStatisticNone, kStatisticNone,
                   kStatisticNone, kStatisticNone, kStatisticNone};
    yLabelChannel_ = std::clamp<int>(record_.header.yAxis, 0, kChannelCount - 1);
    // The record's channels first, so series i is channel i; their ranges
    // follow the record's each time the points are computed.
    for (int i = 0; i < kChannelCount; ++i) {
        series_.Add(PlotSeries{.flight = &data_, .channel = i});
    }
    PlotSeries power;
    power.flight = &data_;
    power.quantity = SeriesQuantity::Power;
    power.colour = kDefaultPowerColour;
    power.shown = false;
    series_.Add(power);
}

CurveModel::~CurveModel() = default;

void CurveModel::Place(int width, int height, int strip) {
    geometry_ = PlaceGrid(width, height, strip);
    if (present_) {
        ComputePoints();
        MapWindow();
    }
    // Label formats and the Y step depend on the cell sizes.
    BuildTimeLabels();
    BuildYLabels(yLabelChannel_);
}

void CurveModel::OnInitialUpdate() {
    samples_ = SamplesOf(record_);
    present_ = record_.dataLoaded;
    first_ = 0;
    last_ = samples_;
    cursors_.Clear();
    index_.reset();
    powerPoints_.clear();
    ComputePoints();
    if (present_) {
        // The smoothed series are fresh: the power curve and the cursors'
        // statistics read them from here on.
        index_ = std::make_unique<SpanIndex>(data_);
        if (PowerAvailable()) {
            series_.At(kPowerCurve).range = PowerRangeOf(index_->Whole());
        }
        series_.Refresh(kPowerCurve);
        ComputePowerPoints();
    }
    pointer_.reset();
    UpdateFlights();
    FillStatistics();
    BuildTimeLabels();
    BuildYLabels(record_.header.yAxis);
}

void CurveModel::ComputePoints() {
    drawnRanges_ = record_.ranges;
    if (!present_) {
        return;
    }
    const ConversionResult& conversion = data_.Convert(windows_);
    const int channels = conversion.channels;
    const int samples = std::min(conversion.samples, samples_);
    for (int i = 0; i < channels; ++i) {
        series_.At(i).range = record_.ranges[i];
        series_.Refresh(i);
        // The whole record across the plot; MapWindow moves the visible ones.
        VisibleSeriesPoints(series_.At(i), series_.Values(i), 0, samples, geometry_.plotWidth,
                            geometry_.plotHeight, points_[i]);
    }
    statistics_.maxPower = TrimLeft(FormatText(kFmtStatistic, double{data_.conversion.maxPower}));
    ComputePowerPoints();
    UpdateFlights();
}

bool CurveModel::PowerAvailable() const {
    return index_ != nullptr && index_->HasPower();
}

void CurveModel::ComputePowerPoints() {
    if (!present_ || !PowerAvailable()) {
        powerPoints_.clear();
        return;
    }
    VisibleSeriesPoints(series_.At(kPowerCurve), series_.Values(kPowerCurve), first_,
                        std::min(last_, samples_), geometry_.plotWidth, geometry_.plotHeight,
                        powerPoints_);
}

std::span<const PlotPoint> CurveModel::VisiblePowerPoints() const {
    if (!present_ || !PowerShown() || !PowerAvailable()) {
        return {};
    }
    return powerPoints_;
}

void CurveModel::FillStatistics() {
    if (!present_) {
        return;
    }
    for (int i = 0; i <= kMotorRpm; ++i) {
        minText_[i] = FormatText(kFmtStatistic, double{data_.conversion.observed[i].min});
        maxText_[i] = FormatText(kFmtStatistic, double{data_.conversion.observed[i].max});
    }
    statistics_.maxCurrent = TrimLeft(maxText_[kCurrent]);
    statistics_.minVoltage = TrimLeft(minText_[kVoltage]);
    statistics_.maxThrottle = TrimLeft(maxText_[kThrottle]);
    statistics_.samplingRate = FormatText(kFmtSamplingRate, int{record_.header.rate});
    statistics_.maxTemperature = TrimLeft(maxText_[kTemperature]);
}

bool CurveModel::ApplyRanges() {
    const bool same = std::equal(
        drawnRanges_.begin(), drawnRanges_.end(), record_.ranges.begin(),
        [](const AxisRange& a, const AxisRange& b) { return a.min == b.min && a.max == b.max; });
    if (same) {
        return false;
    }
    if (present_) {
        ComputePoints();
        MapWindow();
    }
    BuildTimeLabels();
    BuildYLabels(yLabelChannel_);
    return true;
}

void CurveModel::MapWindow() {
    for (int i = 0; i < ChannelCount(); ++i) {
        // The sample just right of the window too: a line leaving the plot.
        const int end = std::min({last_ + 1, samples_, static_cast<int>(points_[i].size())});
        for (int j = first_; j < end; ++j) {
            points_[i][j].x = WindowColumn(j, first_, last_, geometry_.plotWidth);
        }
    }
    ComputePowerPoints();
    UpdateFlights();
}

void CurveModel::ZoomToSelection() {
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
        if (centre - half < 0) {
            first = 0;
            last = kMinZoomSamples;
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
    first_ = static_cast<int>(std::clamp<std::int64_t>(first, 0, samples_));
    last_ = static_cast<int>(std::clamp<std::int64_t>(last, first_, samples_));
    MapWindow();
}

void CurveModel::ShowAll() {
    selecting_ = false;
    first_ = 0;
    last_ = samples_;
    ComputePoints();
    BuildTimeLabels();
}

ClickResult CurveModel::OnLeftClick(int x) {
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
    BuildTimeLabels();
    return ClickResult::Zoomed;
}

bool CurveModel::OnRightClick() {
    if (!present_) {
        return false;
    }
    ShowAll();
    return true;
}

bool CurveModel::OnMouseMove(int x) {
    if (!present_ || samples_ < 1) {
        return false;
    }
    x = std::clamp(x, 0, geometry_.plotWidth);
    float f = static_cast<float>(first_) + static_cast<float>(last_ - first_) *
                                               static_cast<float>(x) /
                                               static_cast<float>(geometry_.plotWidth);
    // Two neighbouring samples inside the record, even at the right edge.
    f = std::clamp(f, 0.0f, static_cast<float>(samples_ - 1));
    readout_.ReadChannels(data_, ChannelCount(), samples_, f);
    if (PowerAvailable()) {
        readout_.ReadPower(series_, kPowerCurve, f);
    }
    pointer_ = f;
    readout_.ReadFlights(overlay_, f);
    return true;
}

std::span<const PlotPoint> CurveModel::VisiblePoints(int channel) const {
    if (!present_ || channel < 0 || channel >= ChannelCount()) {
        return {};
    }
    const std::span<const PlotPoint> points = Points(channel);
    const int end = std::min(last_, static_cast<int>(points.size()));
    return end > first_ ? points.subspan(first_, end - first_) : std::span<const PlotPoint>();
}

std::span<const PlotPoint> CurveModel::Points(int channel) const {
    if (!present_ || channel < 0 || channel >= ChannelCount()) {
        return {};
    }
    const std::size_t count = std::min<std::size_t>(samples_, points_[channel].size());
    return std::span<const PlotPoint>(points_[channel]).first(count);
}

std::string CurveModel::TooltipText() const {
    return readout_.TooltipText(PowerShown() && PowerAvailable(), PowerColour());
}

std::string CurveModel::StatusText() const {
    return readout_.StatusText(PowerShown() && PowerAvailable());
}

void CurveModel::BuildTimeLabels() {
    if (!present_) {
        // No record, no time: an axis of the empty memory would tell of a
        // flight that is not there.
        timeLabels_.fill(std::string());
        return;
    }
    // A record without a rate counts samples instead of dividing by zero.
    const double rate = record_.header.rate > 0 ? record_.header.rate : 1.0;
    const double t0 = first_ / rate;
    const double t1 = last_ / rate;
    const char* format = geometry_.cellWidth <= 60   ? kFmtTimeCoarse
                         : geometry_.cellWidth <= 90 ? kFmtTimeMedium
                                                     : kFmtTimeFine;
    for (int k = 0; k < kLabelCount; ++k) {
        timeLabels_[k] = FormatText(format, t0 + k * (t1 - t0) / kGridCells);
    }
}

void CurveModel::BuildYLabels(int channel) {
    const int c = channel < 0 ? 0 : channel % kChannelCount;
    if (channel >= 0) {
        record_.header.yAxis = c;
    }
    yLabelChannel_ = c;
    const AxisRange range = record_.ranges[c];
    const float width = range.max - range.min;
    const float step =
        width * static_cast<float>(geometry_.cellHeight) / static_cast<float>(geometry_.plotHeight);
    for (int k = 0; k < kLabelCount; ++k) {
        yLabels_[k] = YLabelText(range.max - static_cast<float>(k) * step, width);
    }
}

}  // namespace tavix
