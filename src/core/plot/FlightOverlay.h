#pragma once
// Flights laid over the shown record, to compare them on one plot.
//
// The shown record is flight 0, the reference: its samples are the plot's
// time axis. Up to three more flights can be added. The overlay holds no
// flight of its own: each added flight is owned (opened and converted, with
// the smoothing windows its own record page would use) by whoever compares
// it, and the overlay is a view on it. Its channels and power are traces
// placed on the reference's axis: sample j of a flight started
// `offsetSeconds` after the reference (positive: drawn later) and sampled at
// its own rate stands at plot sample offset + j * scale (PlaceFlight), so a
// flight logged at half the reference's rate spreads each sample over two.
//
// The curves of every flight share the reference's channel controls (pen,
// shown, range) and its power curve's; what tells the flights apart is the
// colour of all of a flight's curves (kFlightColours, by place in the
// comparison) and, for eyes or printers without colour, the line each is
// drawn with (solid for the reference, then dashed, dotted, dash-dot), with
// the legend naming them. A flight keeps its line while it is shown: taking
// one out does not restyle the others.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/FlightCompare.h"
#include "flight/FlightData.h"
#include "flight/FlightRecord.h"
#include "plot/PlotTrace.h"

namespace tavix {

enum class FlightLine { Solid, Dashed, Dotted, DashDot };

// The colour of each compared flight (COLORREF 0x00BBGGRR), the reference
// first: blue, vermilion, bluish green and black of the Okabe-Ito palette,
// told apart by colour-blind eyes too and dark enough on the plot's light
// background.
inline constexpr std::uint32_t kFlightColours[kMaxComparedFlights] = {0xB27200, 0x005ED5, 0x739E00,
                                                                      0x000000};

// Where the samples of a flight stand on the plot: plot sample
// offset + j * scale for its sample j.
struct FlightPlacement {
    double offset = 0.0;
    double scale = 1.0;
};

// The placement of a flight sampled at `flightRate` started `offsetSeconds`
// after a reference sampled at `referenceRate`. A record without a rate
// counts one sample a second, as its time axis does.
FlightPlacement PlaceFlight(int referenceRate, int flightRate, double offsetSeconds);

// One line of the plot's legend.
struct LegendEntry {
    std::string text;  // file name, date and pack, GBK as the caller gave it
    FlightLine line = FlightLine::Solid;
    std::uint32_t colour = 0;  // COLORREF, the flight's curves' colour
};

class FlightOverlay {
public:
    FlightOverlay();
    ~FlightOverlay();
    FlightOverlay(const FlightOverlay&) = delete;
    FlightOverlay& operator=(const FlightOverlay&) = delete;

    // Lays `flight` (converted; it outlives its place here, until Remove or
    // Clear) over the reference, started `offsetSeconds` after it and named
    // `legend`; returns its index (1-3), or -1 when as many flights as a
    // comparison holds are shown.
    int Add(const FlightData& flight, double offsetSeconds, std::string legend);
    // Takes flight `index` (1-3) out; the later ones move up by one. An index
    // not shown does nothing.
    void Remove(int index);
    void SetOffset(int index, double offsetSeconds);
    void Clear();
    // The added flights (0-3).
    int Count() const { return static_cast<int>(flights_.size()); }

    // The plot sample just after the last sample of any added flight (0
    // without one): how far the time axis reaches to show them all.
    int EndSample() const;
    // The plot sample of the first sample of any added flight, when it is
    // before the reference's start (a flight aligned at a later moment of
    // its own than the reference's); 0 otherwise: how far back the time axis
    // reaches to show them all.
    int StartSample() const;

    double OffsetSeconds(int index) const;
    FlightLine Line(int index) const;
    const std::string& Legend(int index) const;
    const FlightData& Flight(int index) const;
    // Trace `channel` (0-7, or kChannelCount for the power) of flight `index`.
    const PlotTrace& Trace(int index, int channel) const;
    const TraceStore& Store(int index) const;

    // The reference was (re)loaded or changed: its rate places the flights,
    // its channels' and power curve's ranges are theirs.
    void Follow(const FlightRecord& reference, AxisRange powerRange);
    // The points of the plot samples `first` up to `last` in a plot of
    // `plotWidth` x `plotHeight` for every trace of every flight.
    void ComputeVisible(int first, int last, int plotWidth, int plotHeight);
    // The points of trace `channel` of flight `index` from ComputeVisible;
    // empty where the flight has no such channel or lies outside the window.
    std::span<const PlotPoint> VisiblePoints(int index, int channel) const;

    // The value of trace `channel` of flight `index` at plot position `f`;
    // nullopt outside the flight or for a channel it does not have. The
    // channels as the reference's read-out reads them (between two samples
    // along the smoothed line, the RPM along its drawn line), the power
    // straight between its values.
    std::optional<float> ValueAt(int index, int channel, float f) const;

private:
    struct Added;
    Added& At(int index);
    const Added& At(int index) const;
    void Place(Added& added);

    int referenceRate_ = 0;
    std::array<AxisRange, kChannelCount> ranges_{};
    AxisRange powerRange_{0.0f, 1.0f};
    std::vector<std::unique_ptr<Added>> flights_;
};

}  // namespace tavix
