#include "plot/CurveModel.h"

#include <algorithm>
#include <cstdint>

#include "analysis/SpanIndex.h"
#include "base/FormatText.h"
#include "base/PlainText.h"
#include "plot/AxisScale.h"
#include "plot/PlotMessages.h"

namespace tavix {

namespace {

// Leading blanks off, as the statistics fields show their numbers.
// The power curve's range: 0 (or below it) to a twentieth above the peak.
AxisRange PowerRangeOf(const SpanStatistics& whole) {
    const QuantitySpan& power = whole.quantities[kPowerQuantity];
    AxisRange range{std::min(0.0f, power.min), std::max(0.0f, power.max)};
    range.max += (range.max - range.min) / 20.0f;
    if (!(range.max > range.min)) {
        range.max = range.min + 1.0f;  // no power at all: a flat line at the bottom
    }
    return range;
}

}  // namespace

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
        yLabels_[k] = std::to_string(kLabelCount - 1 - k);
    }
    statistics_ = {kStatisticNone, kStatisticNone, kStatisticNone,
                   kStatisticNone, kStatisticNone, kStatisticNone};
    yLabelChannel_ = std::clamp<int>(record_.header.yAxis, 0, kChannelCount - 1);
    // The record's channels first, so trace i is channel i; their ranges
    // follow the record's each time the points are computed.
    for (int i = 0; i < kChannelCount; ++i) {
        traces_.Add(PlotTrace{.flight = &data_, .channel = i});
    }
    PlotTrace power;
    power.flight = &data_;
    power.quantity = TraceQuantity::Power;
    power.colour = kDefaultPowerColour;
    power.shown = false;
    traces_.Add(power);
}

CurveModel::~CurveModel() = default;

void CurveModel::Place(int width, int height, int strip, int rows) {
    view_.Place(width, height, strip, rows);
    if (view_.RecordPresent()) {
        ComputePoints();
        MapWindow();
    }
    // The Y step depends on the cell sizes.
    BuildTimeLabels();
    BuildYLabels(yLabelChannel_);
}

void CurveModel::OnInitialUpdate() {
    view_.Reset(SamplesOf(record_), record_.dataLoaded);
    cursors_.Clear();
    index_.reset();
    powerPoints_.clear();
    ComputePoints();
    if (view_.RecordPresent()) {
        // The smoothed channels are fresh: the power curve and the cursors'
        // statistics read them from here on.
        index_ = std::make_unique<SpanIndex>(data_);
        if (PowerAvailable()) {
            traces_.At(kPowerCurve).range = PowerRangeOf(index_->Whole());
        }
        traces_.Refresh(kPowerCurve);
        ComputePowerPoints();
    }
    pointer_.reset();
    UpdateFlights();
    FitTimeAxis();
    FillStatistics();
    BuildTimeLabels();
    BuildYLabels(record_.header.yAxis);
}

void CurveModel::ComputePoints() {
    drawnRanges_ = record_.ranges;
    if (!view_.RecordPresent()) {
        return;
    }
    const ConversionResult& conversion = data_.Convert(windows_);
    const int channels = conversion.channels;
    const int samples = std::min(conversion.samples, RecordSamples());
    for (int i = 0; i < channels; ++i) {
        traces_.At(i).range = DrawnRange(record_, i);
        traces_.Refresh(i);
        // The whole time axis across the plot; MapWindow moves the visible ones.
        const std::span<const float> values = traces_.Values(i);
        VisibleTracePoints(traces_.At(i),
                           values.first(std::min<std::size_t>(values.size(), samples)), 0,
                           std::max(samples, view_.SampleCount()), view_.Geometry().plotWidth,
                           view_.Geometry().plotHeight, points_[i]);
    }
    statistics_.maxPower =
        TrimmedLeft(FormatText(kFmtStatistic, double{data_.conversion.maxPower}), " ");
    ComputePowerPoints();
    UpdateFlights();
}

bool CurveModel::PowerAvailable() const {
    return index_ != nullptr && index_->HasPower();
}

void CurveModel::ComputePowerPoints() {
    if (!view_.RecordPresent() || !PowerAvailable()) {
        powerPoints_.clear();
        return;
    }
    VisibleTracePoints(traces_.At(kPowerCurve), traces_.Values(kPowerCurve), view_.FirstVisible(),
                       std::min(view_.LastVisible(), view_.SampleCount()),
                       view_.Geometry().plotWidth, view_.Geometry().plotHeight, powerPoints_);
}

std::span<const PlotPoint> CurveModel::VisiblePowerPoints() const {
    if (!view_.RecordPresent() || !PowerShown() || !PowerAvailable()) {
        return {};
    }
    return powerPoints_;
}

void CurveModel::FillStatistics() {
    if (!view_.RecordPresent()) {
        return;
    }
    for (int i = 0; i <= kMotorRpm; ++i) {
        minText_[i] = FormatText(kFmtStatistic, double{data_.conversion.observed[i].min});
        maxText_[i] = FormatText(kFmtStatistic, double{data_.conversion.observed[i].max});
    }
    statistics_.maxCurrent = TrimmedLeft(maxText_[kCurrent], " ");
    statistics_.minVoltage = TrimmedLeft(minText_[kVoltage], " ");
    statistics_.maxThrottle = TrimmedLeft(maxText_[kThrottle], " ");
    statistics_.samplingRate = FormatText(kFmtSamplingRate, int{record_.header.rate});
    statistics_.maxTemperature = TrimmedLeft(maxText_[kTemperature], " ");
}

bool CurveModel::ApplyRanges() {
    const bool same = std::equal(
        drawnRanges_.begin(), drawnRanges_.end(), record_.ranges.begin(),
        [](const AxisRange& a, const AxisRange& b) { return a.min == b.min && a.max == b.max; });
    if (same) {
        return false;
    }
    if (view_.RecordPresent()) {
        ComputePoints();
        MapWindow();
    }
    BuildTimeLabels();
    BuildYLabels(yLabelChannel_);
    return true;
}

void CurveModel::MapWindow() {
    const int first = view_.FirstVisible();
    const int last = view_.LastVisible();
    const int width = view_.Geometry().plotWidth;
    for (int i = 0; i < ChannelCount(); ++i) {
        // The sample just right of the window too: a line leaving the plot.
        // The window may begin before the record (a flight compared with it
        // starts earlier): its points begin at its own first sample.
        const int end =
            std::min({last + 1, view_.SampleCount(), static_cast<int>(points_[i].size())});
        for (int j = std::max(first, 0); j < end; ++j) {
            points_[i][j].x = WindowColumn(j, first, last, width);
        }
    }
    ComputePowerPoints();
    UpdateFlights();
}

void CurveModel::ZoomToSelection() {
    view_.ZoomToSelection();
    MapWindow();
}

void CurveModel::ShowAll() {
    view_.ShowAll();
    ComputePoints();
    BuildTimeLabels();
}

ClickResult CurveModel::OnLeftClick(int x) {
    const ClickResult result = view_.OnLeftClick(x);
    if (result == ClickResult::Zoomed) {
        MapWindow();
        BuildTimeLabels();
    }
    return result;
}

bool CurveModel::Follow(bool moved) {
    if (moved) {
        MapWindow();
        BuildTimeLabels();
    }
    return moved;
}

bool CurveModel::OnRightClick() {
    if (!view_.RecordPresent()) {
        return false;
    }
    ShowAll();
    return true;
}

bool CurveModel::OnMouseMove(int x) {
    if (!view_.RecordPresent() || view_.SampleCount() < 1) {
        return false;
    }
    const float f = view_.PositionAt(x);
    readout_.ReadChannels(data_, ChannelCount(), RecordSamples(), f);
    if (PowerAvailable()) {
        readout_.ReadPower(traces_, kPowerCurve, f);
    }
    pointer_ = f;
    readout_.ReadFlights(overlay_, f);
    return true;
}

std::span<const PlotPoint> CurveModel::VisiblePoints(int channel) const {
    if (!view_.RecordPresent() || channel < 0 || channel >= ChannelCount()) {
        return {};
    }
    const std::span<const PlotPoint> points = Points(channel);
    const int begin = std::max(view_.FirstVisible(), 0);
    const int end = std::min(view_.LastVisible(), static_cast<int>(points.size()));
    return end > begin ? points.subspan(begin, end - begin) : std::span<const PlotPoint>();
}

std::span<const PlotPoint> CurveModel::Points(int channel) const {
    if (!view_.RecordPresent() || channel < 0 || channel >= ChannelCount()) {
        return {};
    }
    const std::size_t count = std::min<std::size_t>(view_.SampleCount(), points_[channel].size());
    return std::span<const PlotPoint>(points_[channel]).first(count);
}

std::string CurveModel::TooltipText() const {
    return CurveTooltipText(-1);
}

std::string CurveModel::CurveTooltipText(int curve) const {
    std::array<CurveReadout::CurveColours, kMaxComparedFlights> colours{};
    for (int k = 0; k < FlightCount(); ++k) {
        for (int i = 0; i <= kPowerCurve; ++i) {
            colours[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)] = CurveColour(k, i);
        }
    }
    return readout_.TooltipText(
        PowerShown() && PowerAvailable(),
        std::span<const CurveReadout::CurveColours>(colours).first(FlightCount()), curve);
}

std::string CurveModel::StatusText() const {
    return readout_.StatusText(PowerShown() && PowerAvailable());
}

void CurveModel::BuildTimeLabels() {
    view_.BuildTimeLabels(record_.header.rate);
}

void CurveModel::BuildYLabels(int channel) {
    const int c = channel < 0 ? 0 : channel % kChannelCount;
    if (channel >= 0) {
        record_.header.yAxis = c;
    }
    yLabelChannel_ = c;
    yLabels_ = ScaleLabels(DrawnRange(record_, c), view_.Geometry());
}

std::optional<std::array<std::string, kLabelCount>> CurveModel::PowerLabels() const {
    if (VisiblePowerPoints().empty()) {
        return std::nullopt;
    }
    return ScaleLabels(PowerRange(), view_.Geometry());
}

}  // namespace tavix
