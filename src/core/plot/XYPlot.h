#pragma once
// One quantity of a flight against another: RPM against throttle shows the
// propeller's load line, current against throttle the ESC's response, power
// against RPM the propeller's curve. Every compared flight is a cloud of
// points in its own colour, over the whole flight or the span between the
// cursors A and B; under the plot a histogram tells how long each flight's
// X quantity stood at each level (time at level).
//
// A quantity is one of the values a SpanIndex keeps: a channel (0-7) or kPowerQuantity,
// its values those the curves draw. A sample with a value that is no finite
// number in X or Y draws no point.
//
// The plot reduces every flight to the pixels it covers (one point per
// pixel), so a redraw costs the same for a full record as for a short one.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/SpanIndex.h"
#include "flight/FlightRecord.h"
#include "plot/PlotTrace.h"

namespace tavix {

// The bars of the time-at-level histogram across the X range.
inline constexpr int kXYHistogramBins = 20;

// The quantities the axes can show, in the order the choosers list them.
inline constexpr int kXYQuantities[] = {kVoltage,     kCurrent,  kThrottle,
                                        kTemperature, kMotorRpm, kPowerQuantity};
// Their names on the axes and in the choosers, in the window's language (GBK,
// the temperature's unit is the two bytes A1 E6).
std::string XYQuantityName(int quantity);

// A flight's samples `first` through `last` of `index` (which outlives the plot).
struct XYFlight {
    const SpanIndex* index = nullptr;
    int first = 0;
    int last = -1;  // -1: to the end
};

// The range an axis shows for `quantity` whose finite values run from `low`
// to `high`: a twentieth of room on each side; quantities that are 0 at
// rest (current, throttle, RPM, power) start at 0; a flat range is widened.
AxisRange XYAxisRange(int quantity, float low, float high);

class XYPlot {
public:
    void SetAxes(int xQuantity, int yQuantity);
    int XQuantity() const { return x_; }
    int YQuantity() const { return y_; }
    void SetFlights(std::vector<XYFlight> flights);
    int FlightCount() const { return static_cast<int>(flights_.size()); }
    // The plot area in pixels (the histogram has its own height); computes
    // the points and the histogram.
    void Place(int width, int height);

    AxisRange XRange() const { return xRange_; }
    AxisRange YRange() const { return yRange_; }
    // Whether any flight has a point to draw.
    bool HasPoints() const { return hasPoints_; }
    // Flight `flight`'s points, one per pixel covered, y growing downwards.
    std::span<const PlotPoint> Points(int flight) const;
    // Seconds flight `flight`'s X quantity spent in each of the
    // kXYHistogramBins equal parts of XRange (a record without a rate counts
    // a sample a second).
    const std::array<double, kXYHistogramBins>& Histogram(int flight) const;
    double HistogramPeak() const { return histogramPeak_; }

private:
    void Compute();

    int x_ = kThrottle;
    int y_ = kMotorRpm;
    int width_ = 0;
    int height_ = 0;
    std::vector<XYFlight> flights_;
    AxisRange xRange_{0.0f, 1.0f};
    AxisRange yRange_{0.0f, 1.0f};
    bool hasPoints_ = false;
    std::vector<std::vector<PlotPoint>> points_;
    std::vector<std::array<double, kXYHistogramBins>> histograms_;
    double histogramPeak_ = 0.0;
    std::vector<std::uint8_t> covered_;  // a pixel map, reused
};

}  // namespace tavix
