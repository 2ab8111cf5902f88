#pragma once
// The curves of a plot as a list of traces. A trace is one line: a flight,
// which of its quantities (a channel, or a quantity computed from several,
// such as the electrical power), its colour, pen and range, and a time offset
// that moves it along the time axis. The record page's power curve is one
// such trace; a second flight laid over the first is more of them, with an
// offset, and nothing else.
//
// Time: sample j of a trace stands at plot sample offset + j * scale, so a
// flight started later than the first is moved right by a positive offset,
// and one sampled at another rate is stretched to the plot's. The plot's time
// base is the samples of its first flight.

#include <cstdint>
#include <span>
#include <vector>

#include "flight/FlightData.h"
#include "flight/FlightRecord.h"

namespace tavix {

struct PlotPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// What a trace draws of its flight.
enum class TraceQuantity {
    Channel,  // a channel of the record, as the conversion gives it
    Power,    // voltage x current, W
};

struct PlotTrace {
    const FlightData* flight = nullptr;  // converted; outlives the trace
    TraceQuantity quantity = TraceQuantity::Channel;
    int channel = 0;           // for TraceQuantity::Channel
    std::uint32_t colour = 0;  // COLORREF 0x00BBGGRR
    int pen = 1;               // width in pixels
    AxisRange range{0.0f, 1.0f};
    // Sample j of the trace stands at plot sample offset + j * scale: a
    // flight sampled at half the plot's rate has a scale of 2.
    double offset = 0.0;
    double scale = 1.0;
    bool shown = true;
};

// Whether the flight of `trace` holds what it draws.
bool TraceAvailable(const PlotTrace& trace);

// The values of `trace` sample by sample (empty when not available), in the
// single precision and order of operations of the conversion: a channel's
// physical value, the power as the product of the scaled voltage and current.
std::vector<float> TraceValues(const PlotTrace& trace);

// The value of `channel` of `data` (converted) at fractional sample `at`,
// which lies between sample 0 and the last of its `samples`: between two
// samples along the smoothed line, in the single precision of the
// conversion. Next to an RPM sample without a reading (a period of 0) it
// follows the drawn line from one speed to the other instead.
float ChannelValueAt(const FlightData& data, int channel, int samples, float at);

// The range channel `channel` of `record` is drawn over: the record's own,
// except that a speed scale starts at 0, so a standing motor reads 0 on the
// axis and not the slowest speed the flight logged.
AxisRange DrawnRange(const FlightRecord& record, int channel);

// The pixel row of `value` in a plot `plotHeight` high showing `range`. A
// channel's row 0 also stands for a throttle above full and for a flat range.
std::int32_t TraceRow(const PlotTrace& trace, float value, int plotHeight);

// The pixel column of plot sample `p` when the plot samples `first` up to
// (not including) `last` are spread over `plotWidth` pixels: the first at
// column 0, the last at the right edge; a window of one sample stands at the
// left edge.
inline std::int32_t WindowColumn(int p, int first, int last, int plotWidth) {
    const std::int64_t d = last - first;
    return d > 1 ? static_cast<std::int32_t>((p - first) * std::int64_t{plotWidth} / (d - 1)) : 0;
}

// The visible points of a trace whose values are `values`: the plot samples
// `first` up to (not including) `last` spread over `plotWidth` pixels, value
// j drawn at plot sample offset + j * scale. Samples outside the window give
// no point.
void VisibleTracePoints(const PlotTrace& trace, std::span<const float> values, int first, int last,
                        int plotWidth, int plotHeight, std::vector<PlotPoint>& out);

// The traces of a plot with their values, computed when a flight is shown.
class TraceStore {
public:
    // Adds a trace (its values computed now) and returns its place.
    int Add(const PlotTrace& trace);
    void Clear();
    int Count() const { return static_cast<int>(traces_.size()); }
    PlotTrace& At(int i) { return traces_[static_cast<std::size_t>(i)]; }
    const PlotTrace& At(int i) const { return traces_[static_cast<std::size_t>(i)]; }
    // The values of trace i (computed by Add or Refresh).
    std::span<const float> Values(int i) const { return values_[static_cast<std::size_t>(i)]; }
    // Computes the values of trace i again (its flight was converted again).
    void Refresh(int i);
    // The value of trace i at plot position `f` (a fractional plot sample),
    // running straight between two samples; false outside the trace.
    bool ValueAt(int i, float f, float& value) const;

private:
    std::vector<PlotTrace> traces_;
    std::vector<std::vector<float>> values_;
};

}  // namespace tavix
