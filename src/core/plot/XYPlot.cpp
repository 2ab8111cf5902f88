#include "plot/XYPlot.h"
#include "base/Translate.h"
#include "plot/PlotMessages.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavix {

namespace {

// The samples of `flight` the plot reads, clamped to its record.
std::pair<int, int> SpanOf(const XYFlight& flight) {
    const int samples = flight.index->Samples();
    const int first = std::clamp(flight.first, 0, samples);
    const int last = flight.last < 0 ? samples - 1 : std::min(flight.last, samples - 1);
    return {first, last};
}

bool StartsAtZero(int quantity) {
    return quantity == kCurrent || quantity == kThrottle || quantity == kMotorRpm ||
           quantity == kPowerQuantity;
}

}  // namespace

std::string XYQuantityName(int quantity) {
    switch (quantity) {
        case kVoltage:
            return Translate(TAVIX_TR("Voltage (V)"));
        case kCurrent:
            return Translate(TAVIX_TR("Current (A)"));
        case kThrottle:
            return Translate(TAVIX_TR("Throttle (%)"));
        case kTemperature:
            // The unit is an argument: the translation tools read only ASCII.
            return FormatShown(TAVIX_TR("Temperature (%s)"), kUnitCelsius);
        case kMotorRpm:
            return Translate(TAVIX_TR("Motor RPM"));
        case kPowerQuantity:
            return Translate(TAVIX_TR("Power (W)"));
        default:
            return "";
    }
}

AxisRange XYAxisRange(int quantity, float low, float high) {
    if (!(low <= high)) {
        return {0.0f, 1.0f};  // no values at all
    }
    if (StartsAtZero(quantity) && low >= 0.0f) {
        low = 0.0f;
    }
    const float room = (high - low) / 20.0f;
    AxisRange range{low == 0.0f && StartsAtZero(quantity) ? 0.0f : low - room, high + room};
    if (!(range.max > range.min)) {
        range = {low - 1.0f, high + 1.0f};
    }
    return range;
}

void XYPlot::SetAxes(int xQuantity, int yQuantity) {
    x_ = xQuantity;
    y_ = yQuantity;
    Compute();
}

void XYPlot::SetFlights(std::vector<XYFlight> flights) {
    std::erase_if(flights, [](const XYFlight& f) { return f.index == nullptr; });
    flights_ = std::move(flights);
    Compute();
}

void XYPlot::Place(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    Compute();
}

std::span<const PlotPoint> XYPlot::Points(int flight) const {
    if (flight < 0 || flight >= FlightCount()) {
        return {};
    }
    return points_[static_cast<std::size_t>(flight)];
}

const std::array<double, kXYHistogramBins>& XYPlot::Histogram(int flight) const {
    static const std::array<double, kXYHistogramBins> kNone{};
    if (flight < 0 || flight >= FlightCount()) {
        return kNone;
    }
    return histograms_[static_cast<std::size_t>(flight)];
}

void XYPlot::Compute() {
    const std::size_t count = flights_.size();
    points_.assign(count, {});
    histograms_.assign(count, {});
    histogramPeak_ = 0.0;
    hasPoints_ = false;
    // The ranges over the finite pairs of every flight.
    constexpr float kBig = std::numeric_limits<float>::max();
    float xLow = kBig, xHigh = -kBig, yLow = kBig, yHigh = -kBig;
    for (const XYFlight& flight : flights_) {
        const std::vector<float>& xs = flight.index->Values(x_);
        const std::vector<float>& ys = flight.index->Values(y_);
        if (xs.empty() || ys.empty()) {
            continue;
        }
        const auto [first, last] = SpanOf(flight);
        for (int j = first; j <= last; ++j) {
            const float x = xs[static_cast<std::size_t>(j)];
            const float y = ys[static_cast<std::size_t>(j)];
            if (std::isfinite(x) && std::isfinite(y)) {
                xLow = std::min(xLow, x);
                xHigh = std::max(xHigh, x);
                yLow = std::min(yLow, y);
                yHigh = std::max(yHigh, y);
            }
        }
    }
    xRange_ = XYAxisRange(x_, xLow, xHigh);
    yRange_ = XYAxisRange(y_, yLow, yHigh);
    const double xSpan = xRange_.max - xRange_.min;
    const double ySpan = yRange_.max - yRange_.min;
    const bool drawable = width_ > 0 && height_ > 0;
    if (drawable) {
        covered_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    }
    for (std::size_t k = 0; k < count; ++k) {
        const XYFlight& flight = flights_[k];
        const std::vector<float>& xs = flight.index->Values(x_);
        const std::vector<float>& ys = flight.index->Values(y_);
        if (xs.empty() || ys.empty()) {
            continue;
        }
        const double rate = flight.index->Rate() > 0 ? flight.index->Rate() : 1.0;
        std::fill(covered_.begin(), covered_.end(), std::uint8_t{0});
        std::vector<PlotPoint>& out = points_[k];
        std::array<double, kXYHistogramBins>& bins = histograms_[k];
        const auto [first, last] = SpanOf(flight);
        for (int j = first; j <= last; ++j) {
            const float x = xs[static_cast<std::size_t>(j)];
            const float y = ys[static_cast<std::size_t>(j)];
            if (!std::isfinite(x) || !std::isfinite(y)) {
                continue;
            }
            const double u = (x - xRange_.min) / xSpan;  // 0-1 across the range
            const int bin =
                std::clamp(static_cast<int>(u * kXYHistogramBins), 0, kXYHistogramBins - 1);
            bins[static_cast<std::size_t>(bin)] += 1.0 / rate;
            if (!drawable) {
                continue;
            }
            const int px =
                std::clamp(static_cast<int>(std::lround(u * (width_ - 1))), 0, width_ - 1);
            const int py =
                std::clamp(static_cast<int>(std::lround((yRange_.max - y) / ySpan * (height_ - 1))),
                           0, height_ - 1);
            std::uint8_t& seen =
                covered_[static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) +
                         static_cast<std::size_t>(px)];
            if (seen == 0) {
                seen = 1;
                out.push_back({px, py});
            }
        }
        hasPoints_ = hasPoints_ || !out.empty();
        for (const double seconds : bins) {
            histogramPeak_ = std::max(histogramPeak_, seconds);
        }
    }
}

}  // namespace tavix
