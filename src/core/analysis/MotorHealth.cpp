#include "analysis/MotorHealth.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "analysis/AnalysisMessages.h"
#include "analysis/FlightEvents.h"
#include "analysis/PackTrend.h"

namespace tavix {

namespace {

bool Finite(float value) {
    return std::isfinite(value);
}

// Motor voltage and current of sample j by the duty-cycle model.
struct MotorPoint {
    double vm = 0.0;
    double im = 0.0;
    double rpm = 0.0;
};

MotorPoint PointAt(const MotorSeries& s, int j) {
    const double duty = s.throttle[j] / 100.0;
    return {s.volts[j] * duty, s.amps[j] / duty, s.rpm[j]};
}

int WholePercent(double ratio) {
    return static_cast<int>(std::lround(std::fabs(ratio) * 100.0));
}

std::vector<MotorFigures> FiguresOf(const std::vector<MotorFlight>& flights) {
    std::vector<MotorFigures> figures;
    for (const MotorFlight& f : flights) {
        if (f.estimate.figures) {
            figures.push_back(*f.estimate.figures);
        }
    }
    return figures;
}

template <typename Field>
std::optional<double> MedianOf(const std::vector<MotorFigures>& figures, Field field) {
    std::vector<double> values;
    values.reserve(figures.size());
    for (const MotorFigures& f : figures) {
        values.push_back(f.*field);
    }
    return Median(std::move(values));
}

}  // namespace

std::vector<int> SteadySamples(const MotorSeries& s) {
    const std::size_t n =
        std::min({s.volts.size(), s.amps.size(), s.throttle.size(), s.rpm.size()});
    const int lag =
        std::max(1, static_cast<int>(std::lround(kSteadyLagSeconds * (s.rate > 0 ? s.rate : 1))));
    std::vector<int> steady;
    for (int j = lag; j < static_cast<int>(n); ++j) {
        const float throttle = s.throttle[j];
        const float before = s.throttle[j - lag];
        if (Finite(throttle) && Finite(before) && throttle >= kSteadyMinThrottle &&
            std::fabs(static_cast<double>(throttle) - before) <= kSteadyThrottleBand &&
            Finite(s.rpm[j]) && s.rpm[j] > 0.0f && Finite(s.amps[j]) &&
            s.amps[j] > kSteadyMinMotorAmps && Finite(s.volts[j]) && s.volts[j] > 0.0f) {
            steady.push_back(j);
        }
    }
    return steady;
}

MotorEstimate EstimateMotor(const MotorSeries& s) {
    MotorEstimate estimate;
    const std::vector<int> steady = SteadySamples(s);
    estimate.steadySamples = static_cast<int>(steady.size());
    estimate.steadySeconds = static_cast<double>(steady.size()) / (s.rate > 0 ? s.rate : 1);
    if (estimate.steadySeconds < kMotorMinSteadySeconds) {
        return estimate;
    }

    // Least squares of y = rpm / Vm over x = Im / Vm, about the means.
    std::vector<MotorPoint> points;
    points.reserve(steady.size());
    double meanX = 0.0;
    double meanY = 0.0;
    for (int j : steady) {
        points.push_back(PointAt(s, j));
        meanX += points.back().im / points.back().vm;
        meanY += points.back().rpm / points.back().vm;
    }
    const double count = static_cast<double>(points.size());
    meanX /= count;
    meanY /= count;
    double sxx = 0.0;
    double sxy = 0.0;
    double syy = 0.0;
    for (const MotorPoint& p : points) {
        const double dx = p.im / p.vm - meanX;
        const double dy = p.rpm / p.vm - meanY;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    if (sxx <= 0.0) {
        return estimate;  // one load all along: no slope to read
    }
    const double b = sxy / sxx;
    const double a = meanY - b * meanX;
    // A line that hits every point leaves nothing unexplained.
    const double r2 = syy > 0.0 ? sxy * sxy / (sxx * syy) : 1.0;
    if (r2 < kMotorMinFitR2 || a <= 0.0 || b > 0.0) {
        return estimate;
    }

    MotorFigures figures;
    figures.kv = a;
    figures.rmOhm = -b / a;
    figures.r2 = r2;
    std::vector<double> ks;
    ks.reserve(points.size());
    double efficiency = 0.0;
    for (const MotorPoint& p : points) {
        const double shaftWatts = (p.vm - p.im * figures.rmOhm) * p.im;
        const double krpm = p.rpm / 1000.0;
        ks.push_back(shaftWatts / (krpm * krpm * krpm));
        efficiency += shaftWatts / (p.vm * p.im);
    }
    figures.propK = *Median(std::move(ks));
    figures.efficiency = efficiency / count;
    estimate.figures = figures;
    return estimate;
}

MotorEstimate FlightMotor(const SpanIndex& index) {
    for (int channel : {kVoltage, kCurrent, kThrottle, kMotorRpm}) {
        if (!index.HasQuantity(channel)) {
            return MotorEstimate{};
        }
    }
    return EstimateMotor({index.Values(kVoltage), index.Values(kCurrent), index.Values(kThrottle),
                          index.Values(kMotorRpm), index.Rate()});
}

std::vector<QuantityText> MotorTexts(const MotorEstimate& estimate) {
    const MotorFigures* f = estimate.figures ? &*estimate.figures : nullptr;
    auto value = [f](double MotorFigures::*field, double scale, int decimals, const char* unit) {
        return f ? PointNumber(f->*field * scale, decimals) + unit : std::string(kNoValue);
    };
    return {
        {kCaptionKv, value(&MotorFigures::kv, 1.0, 0, " rpm/V")},
        {kCaptionRm, value(&MotorFigures::rmOhm, 1000.0, 1, " mOhm")},
        {kCaptionPropK, value(&MotorFigures::propK, 1.0, 3, "")},
        {kCaptionMotorEfficiency, value(&MotorFigures::efficiency, 100.0, 1, " %")},
        {kCaptionSteady, PointNumber(estimate.steadySeconds, 1) + " s" +
                             (f ? "" : std::string(": ") + kMsgNotEnoughSteady)},
    };
}

std::vector<MessageParts> MotorAlerts(const MotorFigures& flight,
                                      const std::vector<MotorFigures>& earlier) {
    if (earlier.empty()) {
        return {};
    }
    std::vector<MessageParts> alerts;
    auto percent = [](double ratio) { return std::vector{std::to_string(WholePercent(ratio))}; };
    const double kv = flight.kv / *MedianOf(earlier, &MotorFigures::kv) - 1.0;
    if (kv < -kAlertKvDrop) {
        alerts.emplace_back(kAlertKvDown, percent(kv));
    }
    const double k = flight.propK / *MedianOf(earlier, &MotorFigures::propK) - 1.0;
    if (std::fabs(k) > kAlertPropMove) {
        alerts.emplace_back(k > 0 ? kAlertPropUp : kAlertPropDown, percent(k));
    }
    // A winding resistance of 0 before cannot rise by a share.
    const double rmBefore = *MedianOf(earlier, &MotorFigures::rmOhm);
    if (rmBefore > 0.0 && flight.rmOhm / rmBefore - 1.0 > kAlertRmRise) {
        alerts.emplace_back(kAlertRmUp, percent(flight.rmOhm / rmBefore - 1.0));
    }
    return alerts;
}

namespace {

std::string JoinedAlerts(const std::vector<MessageParts>& alerts, bool shown) {
    std::string text;
    for (const MessageParts& alert : alerts) {
        text += (text.empty() ? "" : "; ") + (shown ? alert.Shown() : alert.Text());
    }
    return text;
}

}  // namespace

std::string MotorAlert(const MotorFigures& flight, const std::vector<MotorFigures>& earlier) {
    return JoinedAlerts(MotorAlerts(flight, earlier), false);
}

std::string AlertText(const MotorFlight& flight) {
    return JoinedAlerts(flight.alerts, false);
}

std::string ShownAlert(const MotorFlight& flight) {
    return JoinedAlerts(flight.alerts, true);
}

std::vector<MotorFlight> MotorHistory(std::vector<MotorFlight> flights) {
    std::stable_sort(flights.begin(), flights.end(),
                     [](const MotorFlight& a, const MotorFlight& b) {
                         if (a.model.empty() != b.model.empty()) {
                             return b.model.empty();
                         }
                         return a.model != b.model ? a.model < b.model : a.time < b.time;
                     });
    std::vector<MotorFigures> earlier;
    for (std::size_t i = 0; i < flights.size(); ++i) {
        if (i > 0 && flights[i].model != flights[i - 1].model) {
            earlier.clear();
        }
        MotorFlight& flight = flights[i];
        flight.alerts.clear();
        if (flight.model.empty() || !flight.estimate.figures) {
            continue;
        }
        flight.alerts = MotorAlerts(*flight.estimate.figures, earlier);
        earlier.push_back(*flight.estimate.figures);
    }
    return flights;
}

std::vector<ModelTrend> SummarizeModels(std::vector<MotorFlight> flights) {
    std::vector<ModelTrend> trends;
    for (MotorFlight& flight : MotorHistory(std::move(flights))) {
        if (flight.model.empty()) {
            continue;
        }
        if (trends.empty() || trends.back().model != flight.model) {
            trends.push_back({flight.model, {}, {}, {}, {}, 0});
        }
        trends.back().alerts += flight.alerts.empty() ? 0 : 1;
        trends.back().flights.push_back(std::move(flight));
    }
    for (ModelTrend& trend : trends) {
        const std::vector<MotorFigures> figures = FiguresOf(trend.flights);
        trend.kv = MedianOf(figures, &MotorFigures::kv);
        trend.rmOhm = MedianOf(figures, &MotorFigures::rmOhm);
        trend.propK = MedianOf(figures, &MotorFigures::propK);
    }
    return trends;
}

}  // namespace tavix
