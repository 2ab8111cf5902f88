#pragma once
// Two to four flights side by side: was this pack weaker than last week's, did
// the new prop draw more current, did the timing change help?
//
// The first flight is the reference. Each flight is placed on the reference's
// time axis by an alignment point (its start, the moment its throttle first
// reaches a level, or a sample the user picked); its offset is the reference's
// alignment time minus its own, so a positive offset draws it later. Flights
// may be sampled at different rates: every time here is in seconds, each
// flight's samples at j / rate of its own.
//
// The figures of a whole flight are those the record page and the logbook show
// for it (SpanIndex and FlightQuantities over the same converted series); a
// span between the measuring cursors is given in the reference's seconds and
// mapped into each flight by its offset. Every figure is compared with the
// reference's: the difference and the difference in percent of the
// reference's value.
//
// Nothing here holds a flight: a caller keeps the records and their SpanIndex
// (built once per record and smoothing), and this code only reads them.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/SpanIndex.h"
#include "base/NamedValues.h"
#include "flight/FlightRecord.h"

namespace tavix {

inline constexpr int kMinComparedFlights = 2;
inline constexpr int kMaxComparedFlights = 4;
inline constexpr double kDefaultAlignThrottle = 20.0;  // percent

// One flight of a comparison. The index must outlive the calls that get it.
struct ComparedFlight {
    std::string name;  // shown in heads and CSV rows (file name)
    // The ESC settings it flew with, by name with their shown values in the
    // ESC page's order; none when its record carries none of a known series.
    std::optional<std::vector<NamedValue>> settings;
    const SpanIndex* index = nullptr;  // over its converted series; required
};

enum class AlignMode {
    Start,     // every flight from its first sample
    Throttle,  // the first sample whose throttle reaches a level
    CursorA,   // a sample per flight, placed by the user (cursor A)
};

struct AlignRequest {
    AlignMode mode = AlignMode::Start;
    // Throttle: the level in percent of the drawn throttle curve (held at 100).
    double throttlePercent = kDefaultAlignThrottle;
    // CursorA: one sample per flight, in flight order (clamped to the flight);
    // a flight without an entry is aligned at its start.
    std::vector<int> cursorSamples;
};

// Where one flight is aligned.
struct FlightAlignment {
    int sample = 0;
    double seconds = 0.0;  // sample / rate, in the flight's own time (0 without a rate)
    // False when the flight never reached the throttle level (or has no
    // throttle channel): it is then aligned at its start.
    bool found = true;
    // Reference's alignment seconds - this flight's: the flight's sample j is
    // drawn at j / rate + offset on the reference's axis. 0 for the reference.
    double offsetSeconds = 0.0;
};

// One alignment per flight, in flight order.
std::vector<FlightAlignment> AlignFlights(const std::vector<ComparedFlight>& flights,
                                          const AlignRequest& request);

// The compared figures, in the order of the table and the CSV columns.
enum class Figure : int {
    Duration,        // s
    Capacity,        // mAh
    Energy,          // Wh
    AverageCurrent,  // A
    MaxCurrent,      // A
    MaxPower,        // W
    MinVoltage,      // V
    MinCellVoltage,  // V
    MaxTemperature,  // C
    MaxRpm,          // revolutions per minute
};
inline constexpr int kFigureCount = 10;

// Each figure, empty where the record cannot give it (no sampling rate, no
// such channel, no reading in it).
using FigureValues = std::array<std::optional<double>, kFigureCount>;

inline std::optional<double>& At(FigureValues& values, Figure figure) {
    return values[static_cast<int>(figure)];
}
inline const std::optional<double>& At(const FigureValues& values, Figure figure) {
    return values[static_cast<int>(figure)];
}

// How a figure is named and written.
struct FigureInfo {
    const char* caption;  // "Capacity"
    const char* unit;     // "mAh"; "" where the caption says it ("Max.RPM")
    int decimals;         // in the table
    int csvDecimals;      // in the CSV, at least 1: every number has its point
};
const FigureInfo& InfoOf(Figure figure);

// The figures of the whole flight.
FigureValues WholeFigures(const SpanIndex& index);
// The figures of the samples between `fromSeconds` and `toSeconds` of the
// flight's own time (either order), clamped to the flight. Its minimum voltage
// per cell uses the whole flight's cell count. All empty when the span lies
// wholly outside the flight or the flight has no sampling rate.
FigureValues SpanFigures(const SpanIndex& index, double fromSeconds, double toSeconds);

// One figure against the reference's.
struct FigureDifference {
    std::optional<double> absolute;  // value - reference; empty when either is
    std::optional<double> percent;   // of |reference|; empty when it is 0 or empty
};
FigureDifference DifferenceOf(const std::optional<double>& value,
                              const std::optional<double>& reference);

// The ESC settings each flight was flown with (records uploaded together with
// the ESC's parameter block), against the reference's.
struct SettingsComparison {
    struct Line {
        std::string name;                 // parameter name
        std::vector<std::string> values;  // per flight, "" where it has none
    };
    // Per flight: its record carries the settings of a known ESC series.
    std::vector<bool> stored;
    // Parameters whose value differs between the reference and at least one
    // other flight, in the reference's page order (then those the reference's
    // series lacks). Empty unless the reference and at least one other flight
    // carry settings (see Comparable()).
    std::vector<Line> lines;

    // The reference and at least one other flight carry settings: an empty
    // `lines` then means they flew with the same settings.
    bool Comparable() const;
};
SettingsComparison CompareSettings(const std::vector<ComparedFlight>& flights);

// A whole comparison: what the window's difference table and `tavix-cli
// compare` show.
struct FlightComparison {
    std::vector<FlightAlignment> alignment;
    std::vector<FigureValues> figures;  // whole flights, per flight
    // Between the measuring cursors, when a span was given.
    std::optional<std::vector<FigureValues>> spanFigures;
    SettingsComparison settings;
};

// The span, when given, is in the reference's seconds.
struct SpanRequest {
    double fromSeconds = 0.0;
    double toSeconds = 0.0;
};
FlightComparison CompareFlights(const std::vector<ComparedFlight>& flights,
                                const AlignRequest& request,
                                const std::optional<SpanRequest>& span = std::nullopt);

// The span figures of every flight: the reference's span moved by each
// flight's offset into its own time.
std::vector<FigureValues> CompareSpan(const std::vector<ComparedFlight>& flights,
                                      const std::vector<FlightAlignment>& alignment,
                                      const SpanRequest& span);

// The comparison as a table of texts, the one model the window's table and
// the CLI's text print. Columns: the caption column, then per flight its value
// and, but for the reference, its difference ("+12.5 (+8.3 %)": of the values
// as shown, in percent of the exact reference). Rows: the alignment time
// ("12.40", or "0.00 (not reached, start)"), the offset ("+3.20"), the figures
// of the whole flight, then (when given) the span's figures, then the settings
// that differ (or a heading saying they are the same or not stored). Numbers
// have a decimal point whatever the locale; a figure the record cannot give
// reads "-".
enum class CompareRowKind {
    Alignment,  // where each flight is aligned, and its offset
    Figure,     // a figure with its differences
    Section,    // a heading ("Between the cursors"); no values
    Setting,    // an ESC parameter: values are the device's texts (GBK)
};
struct CompareTable {
    struct Row {
        CompareRowKind kind = CompareRowKind::Figure;
        std::string caption;                   // with its unit: "Capacity (mAh)"
        std::vector<std::string> values;       // per flight
        std::vector<std::string> differences;  // per flight; "" for the reference
    };
    std::vector<std::string> flights;  // column heads: the flights' names
    std::vector<Row> rows;
};
CompareTable BuildCompareTable(const std::vector<ComparedFlight>& flights,
                               const FlightComparison& comparison);

// The table as aligned text lines of program text (GBK, whose double-byte
// characters take two columns on a terminal: widths count bytes). Texts are
// taken as they are: a caller escapes the names from outside first.
std::string CompareTableText(const CompareTable& table);

// `tavix-cli compare --csv`: the header line
// "file,align_s,duration_s,mah,wh,avg_current_a,max_current_a,max_power_w,min_voltage_v,min_cell_v,max_temp_c,max_rpm"
// and one row per flight, reference first; numbers with a decimal point
// whatever the locale, figures the record cannot give left empty, names as
// text cells. Lines end in CR LF.
std::string CompareCsv(const std::vector<ComparedFlight>& flights,
                       const FlightComparison& comparison);

}  // namespace tavix
