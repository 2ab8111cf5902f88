#include "analysis/ThrottleMap.h"

#include <algorithm>
#include <cmath>

#include "analysis/AnalysisMessages.h"
#include "analysis/FlightEvents.h"
#include "analysis/FlightQuantities.h"
#include "base/OutsideText.h"

namespace tavix {

namespace {

// Sum, count and maximum of the finite values of one series in one band.
struct Tally {
    double sum = 0.0;
    int count = 0;
    double max = 0.0;

    void Add(float value) {
        if (!std::isfinite(value)) {
            return;
        }
        max = count == 0 ? value : std::max<double>(max, value);
        sum += value;
        ++count;
    }
    std::optional<double> Mean() const {
        return count > 0 ? std::optional<double>(sum / count) : std::nullopt;
    }
    std::optional<double> Max() const {
        return count > 0 ? std::optional<double>(max) : std::nullopt;
    }
};

struct BandTally {
    int samples = 0;
    Tally current, power, rpm, temperature, voltage;
};

std::string Cell(const std::optional<double>& value) {
    return value ? PointNumber(*value, 2) : std::string();
}

std::string Shown(const std::optional<double>& value, int decimals) {
    return value ? PointNumber(*value, decimals) : std::string(kNoValue);
}

// A band edge without the zeros a whole percent does not need.
std::string EdgeText(double percent) {
    std::string text = PointNumber(percent, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text;
}

}  // namespace

int MapBandOf(double percent, double bandPercent, int bands) {
    if (!(percent > 0.0)) {
        return 0;  // below 0, and a throttle that is no number, in the first
    }
    const double band = std::floor(percent / bandPercent);
    return band >= bands ? bands - 1 : static_cast<int>(band);
}

ThrottleMap MapThrottle(const SpanIndex& index, double bandPercent, int first, int last) {
    ThrottleMap map;
    map.bandPercent = std::clamp(std::isfinite(bandPercent) ? bandPercent : kDefaultMapBand,
                                 kMinMapBand, kMaxMapBand);
    map.hasThrottle = index.HasQuantity(kThrottle);
    if (!map.hasThrottle) {
        return map;
    }
    map.cells = ComputeQuantities(index).cells;
    const int count = static_cast<int>(std::ceil(kMaxMapBand / map.bandPercent - 1e-9));
    std::vector<BandTally> tallies(static_cast<std::size_t>(count));
    const std::vector<float>& throttle = index.Values(kThrottle);
    const std::vector<float>& current = index.Values(kCurrent);
    const std::vector<float>& power = index.Values(kPowerQuantity);
    const std::vector<float>& rpm = index.Values(kMotorRpm);
    const std::vector<float>& temperature = index.Values(kTemperature);
    const std::vector<float>& voltage = index.Values(kVoltage);
    const int samples = index.Samples();
    const int from = std::clamp(first, 0, samples);
    const int to = last < 0 ? samples - 1 : std::min(last, samples - 1);
    auto add = [](Tally& tally, const std::vector<float>& values, int j) {
        if (!values.empty()) {
            tally.Add(values[static_cast<std::size_t>(j)]);
        }
    };
    for (int j = from; j <= to; ++j) {
        BandTally& band = tallies[static_cast<std::size_t>(
            MapBandOf(throttle[static_cast<std::size_t>(j)], map.bandPercent, count))];
        ++band.samples;
        add(band.current, current, j);
        add(band.power, power, j);
        add(band.rpm, rpm, j);
        add(band.temperature, temperature, j);
        add(band.voltage, voltage, j);
    }
    const double rate = index.Rate() > 0 ? index.Rate() : 1.0;
    for (int b = 0; b < count; ++b) {
        const BandTally& t = tallies[static_cast<std::size_t>(b)];
        MapBand band;
        band.from = b * map.bandPercent;
        band.to = std::min(kMaxMapBand, (b + 1) * map.bandPercent);
        band.samples = t.samples;
        band.seconds = t.samples / rate;
        band.meanCurrent = t.current.Mean();
        band.maxCurrent = t.current.Max();
        band.meanPower = t.power.Mean();
        band.meanRpm = t.rpm.Mean();
        band.maxTemperature = t.temperature.Max();
        if (map.cells > 0 && t.voltage.count > 0) {
            band.meanCellVolts = *t.voltage.Mean() / map.cells;
        }
        map.bands.push_back(band);
    }
    return map;
}

std::string MapBandText(const MapBand& band) {
    return EdgeText(band.from) + '-' + EdgeText(band.to);
}

std::vector<std::vector<std::string>> MapTextRows(const ThrottleMap& map) {
    std::vector<std::vector<std::string>> rows;
    rows.emplace_back(std::begin(kMapHeadings), std::end(kMapHeadings));
    for (const MapBand& band : map.bands) {
        if (band.samples == 0) {
            continue;
        }
        rows.push_back({MapBandText(band), PointNumber(band.seconds, 2), Shown(band.meanCurrent, 1),
                        Shown(band.maxCurrent, 1), Shown(band.meanPower, 1), Shown(band.meanRpm, 0),
                        Shown(band.maxTemperature, 1), Shown(band.meanCellVolts, 2)});
    }
    return rows;
}

std::string MapCsvRows(const std::string& file, const ThrottleMap& map) {
    std::string out;
    for (const MapBand& band : map.bands) {
        if (band.samples == 0) {
            continue;
        }
        out += CsvTextCell(file) + ',' + PointNumber(band.from, 2) + ',' + PointNumber(band.to, 2) +
               ',' + PointNumber(band.seconds, 2) + ',' + Cell(band.meanCurrent) + ',' +
               Cell(band.maxCurrent) + ',' + Cell(band.meanPower) + ',' + Cell(band.meanRpm) + ',' +
               Cell(band.maxTemperature) + ',' + Cell(band.meanCellVolts) + "\r\n";
    }
    return out;
}

}  // namespace tavix
