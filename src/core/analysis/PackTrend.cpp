#include "analysis/PackTrend.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <utility>

namespace tavix {

namespace {

// steady[j]: the values j..j+window all finite and within `spread` of each
// other. Sliding minimum and maximum, so the whole series costs O(n).
std::vector<char> SteadyStarts(std::span<const float> values, int window, double spread) {
    const int n = static_cast<int>(values.size());
    std::vector<char> steady(static_cast<std::size_t>(std::max(0, n)), 0);
    std::deque<int> lows;
    std::deque<int> highs;
    int lastBad = -1;  // last sample that is not a finite number
    for (int j = 0; j < n; ++j) {
        if (!std::isfinite(values[j])) {
            lastBad = j;
        }
        while (!lows.empty() && values[lows.back()] >= values[j]) {
            lows.pop_back();
        }
        lows.push_back(j);
        while (!highs.empty() && values[highs.back()] <= values[j]) {
            highs.pop_back();
        }
        highs.push_back(j);
        const int start = j - window;
        if (start < 0) {
            continue;
        }
        while (lows.front() < start) {
            lows.pop_front();
        }
        while (highs.front() < start) {
            highs.pop_front();
        }
        steady[static_cast<std::size_t>(start)] =
            lastBad < start &&
            static_cast<double>(values[highs.front()]) - values[lows.front()] <= spread;
    }
    return steady;
}

double Mean(std::span<const float> values, int first, int last) {
    double sum = 0.0;
    for (int j = first; j <= last; ++j) {
        sum += values[j];
    }
    return sum / (last - first + 1);
}

}  // namespace

std::string PackName(const std::string& note) {
    return NoteLineValue(note, kPackPrefix);
}

std::string WithPackLine(const std::string& note, const std::string& pack) {
    return WithNoteLine(note, kPackPrefix, pack);
}

std::vector<CurrentStep> FindCurrentSteps(std::span<const float> voltage,
                                          std::span<const float> current, int rate) {
    std::vector<CurrentStep> steps;
    const int n = static_cast<int>(std::min(voltage.size(), current.size()));
    voltage = voltage.first(static_cast<std::size_t>(n));
    current = current.first(static_cast<std::size_t>(n));
    const int window =
        std::max(1, static_cast<int>(std::lround(kStepSeconds * (rate > 0 ? rate : 1))));
    if (n < 2 * window + 2) {
        return steps;
    }
    const std::vector<char> steadyI = SteadyStarts(current, window, kSteadyAmps);
    const std::vector<char> steadyV = SteadyStarts(voltage, window, kSteadyVolts);
    auto steady = [&](int first) { return steadyI[first] && steadyV[first]; };

    // a: last sample of a steady stretch; b: first of the next, within 0.5 s.
    for (int a = window; a + 1 + window < n;) {
        int found = -1;
        if (steady(a - window)) {
            // The change: the first sample within 0.5 s that is 5 A away.
            int change = -1;
            for (int b = a + 1; b <= a + window && b < n; ++b) {
                if (std::fabs(static_cast<double>(current[b]) - current[a]) >= kStepMinAmps) {
                    change = b;
                    break;
                }
            }
            // The values settle within another 0.5 s (the smoothing of the
            // voltage lags behind the current's).
            for (int b = change; change >= 0 && b <= change + window && b + window < n; ++b) {
                if (steady(b)) {
                    found = b;
                    break;
                }
            }
        }
        if (found < 0) {
            ++a;
            continue;
        }
        CurrentStep step;
        step.before = a;
        step.after = found;
        step.deltaAmps = Mean(current, found, found + window) - Mean(current, a - window, a);
        step.deltaVolts = Mean(voltage, found, found + window) - Mean(voltage, a - window, a);
        if (std::fabs(step.deltaAmps) >= kStepMinAmps) {
            step.ohms = -step.deltaVolts / step.deltaAmps;
            steps.push_back(step);
        }
        a = found + window;
    }
    return steps;
}

std::optional<double> Median(std::vector<double> values) {
    if (values.empty()) {
        return std::nullopt;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2.0;
}

std::optional<double> MedianOhms(const std::vector<CurrentStep>& steps) {
    std::vector<double> ohms;
    ohms.reserve(steps.size());
    for (const CurrentStep& step : steps) {
        ohms.push_back(step.ohms);
    }
    return Median(std::move(ohms));
}

std::optional<double> FlightResistance(const SpanIndex& index) {
    if (!index.HasQuantity(kVoltage) || !index.HasQuantity(kCurrent)) {
        return std::nullopt;
    }
    return MedianOhms(
        FindCurrentSteps(index.Values(kVoltage), index.Values(kCurrent), index.Rate()));
}

std::vector<PackRow> SummarizePacks(std::vector<PackFlight> flights) {
    std::map<std::string, PackRow> rows;
    std::stable_sort(flights.begin(), flights.end(), [](const PackFlight& a, const PackFlight& b) {
        return std::pair(a.time, a.flightNumber) < std::pair(b.time, b.flightNumber);
    });
    for (PackFlight& flight : flights) {
        if (flight.pack.empty()) {
            continue;
        }
        PackRow& row = rows[flight.pack];
        row.pack = flight.pack;
        row.history.push_back(std::move(flight));
    }
    std::vector<PackRow> result;
    for (auto& [name, row] : rows) {
        row.flights = static_cast<int>(row.history.size());
        row.firstFlight = row.history.front().time;
        row.lastFlight = row.history.back().time;
        int withCapacity = 0;
        std::vector<double> ohms;
        for (const PackFlight& f : row.history) {
            if (f.capacityMah) {
                row.totalMah += *f.capacityMah;
                ++withCapacity;
            }
            if (f.minCellVoltage &&
                (!row.minCellVoltage || *f.minCellVoltage < *row.minCellVoltage)) {
                row.minCellVoltage = f.minCellVoltage;
            }
            if (f.ohms) {
                ohms.push_back(*f.ohms);
            }
        }
        if (withCapacity > 0) {
            row.meanMah = row.totalMah / withCapacity;
        }
        row.ohms = Median(std::move(ohms));
        result.push_back(std::move(row));
    }
    return result;
}

}  // namespace tavix
