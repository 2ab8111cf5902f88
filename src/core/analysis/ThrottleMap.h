#pragma once
// Where the motor spends its flight: the flight cut into throttle bands and,
// for each band, how long the throttle stood in it and what the motor and
// battery did meanwhile.
//
// Bands are `bandPercent` wide from 0 % up: [0, w), [w, 2w), ... The last band
// ends at 100 % and holds full throttle (a band of 10 % holds 90-100 %
// inclusive); a width that does not divide 100 gives a narrower last band
// (30 %: 0-30, 30-60, 60-90, 90-100). A throttle below 0 counts in the first
// band. The values are the physical ones the curves draw and `csv` writes
// (SpanIndex: the smoothed, calibrated series, the throttle held at 100 %, a
// standing motor at 0 RPM); a value that is no finite number is left out of
// its means and maxima.
//
// Time: a sample is held until the next one, so a band's seconds are its
// samples divided by the sampling rate; a record without a rate counts one
// sample a second, as its time axis does.

#include <optional>
#include <string>
#include <vector>

#include "analysis/SpanIndex.h"
#include "base/Translate.h"

namespace tavix {

inline constexpr double kDefaultMapBand = 10.0;
inline constexpr double kMinMapBand = 1.0;
inline constexpr double kMaxMapBand = 100.0;

inline constexpr const char* kMapCsvHeader =
    "file,throttle_from,throttle_to,seconds,mean_current_a,max_current_a,mean_power_w,mean_rpm,"
    "max_temp_c,mean_cell_v";

struct MapBand {
    double from = 0.0;  // throttle %, the band holds from <= t < to
    double to = 0.0;    // (the last band: t <= 100)
    int samples = 0;
    double seconds = 0.0;
    // Empty where the record lacks the channel (or the cell count) or the
    // band has no finite value of it.
    std::optional<double> meanCurrent;
    std::optional<double> maxCurrent;
    std::optional<double> meanPower;  // mean of voltage x current, sample by sample
    std::optional<double> meanRpm;
    std::optional<double> maxTemperature;
    std::optional<double> meanCellVolts;  // mean voltage / the flight's cell count
};

struct ThrottleMap {
    bool hasThrottle = false;  // without a throttle channel there are no bands
    double bandPercent = kDefaultMapBand;
    int cells = 0;  // of the flight, from its highest voltage (as `info` counts them)
    // Every band from 0 % to 100 %, the empty ones too (samples 0).
    std::vector<MapBand> bands;
};

// The band of throttle `percent` among `bands` bands of `bandPercent`.
int MapBandOf(double percent, double bandPercent, int bands);

// The map of the samples `first` through `last` (clamped to the record; by
// default the whole flight) of a converted flight's `index`. `bandPercent`
// is clamped to kMinMapBand-kMaxMapBand.
ThrottleMap MapThrottle(const SpanIndex& index, double bandPercent = kDefaultMapBand, int first = 0,
                        int last = -1);

// The map as a table of text, as the Map view and `tavix-cli map` show it:
// the headings, then one row per band holding samples ("-" for a value the
// record cannot give), numbers with a point whatever the locale.
inline constexpr const char* kMapHeadings[] = {
    TAVIX_TR("Throttle (%)"),    TAVIX_TR("Time (s)"),       TAVIX_TR("Mean current (A)"),
    TAVIX_TR("Max current (A)"), TAVIX_TR("Mean power (W)"), TAVIX_TR("Mean RPM"),
    TAVIX_TR("Max temp (C)"),    TAVIX_TR("Mean cell (V)")};
std::vector<std::vector<std::string>> MapTextRows(const ThrottleMap& map);
// "0-10" for a band of 0 to 10 %, "12.5-25" for one of 12.5 to 25 %.
std::string MapBandText(const MapBand& band);

// CSV rows (kMapCsvHeader's columns, no header) of the bands holding samples,
// two decimals with a point whatever the locale, an empty cell for a value
// the record cannot give; lines end in CR LF as the other CSV texts of tavix.
std::string MapCsvRows(const std::string& file, const ThrottleMap& map);

}  // namespace tavix
