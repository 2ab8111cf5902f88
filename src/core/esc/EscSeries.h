#pragma once
// What differs between the four ESC series: one table per series says which
// parameters the ESC keeps in its 512-byte block, where, what each value
// means, what the page shows where, and which bytes the host sends back as
// it read them. The session (EscParamSession) and the page are the same for
// every series and are driven by these tables alone.
//
// A parameter is one byte of the block whose value is the index of an entry
// of its list. A byte beyond the last entry leaves the list without a
// selection, and a list without a selection writes 0xFF.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/Frame.h"

namespace tavix {

// Block offsets every series shares.
inline constexpr std::size_t kBlockFlagOffset = 0;  // 0xFF in every write
inline constexpr std::uint8_t kBlockFlag = 0xFF;
inline constexpr std::size_t kEscVersionGroups = 4;
inline constexpr std::size_t kEscVersionGroupSize = 4;
inline constexpr std::uint8_t kNoSelectionByte = 0xFF;

// One drop-down list of a page.
struct EscList {
    std::string label;  // as the page shows it, with its colon ("LVC:")
    std::size_t offset = 0;
    std::vector<std::string> entries;  // by index (GBK text)
    int defaultIndex = 0;
    bool hidden = false;  // on the page but never seen
    int row = 0;          // place on the page (hidden lists have none)
    int column = 0;
    std::string unit = {};     // of its entries ("KHz"), empty when they have none
    std::string explain = {};  // what it does for the pilot, one line
};

// The text fields a page may show besides its lists.
enum class EscField {
    ThrottleRange,      // throttle byte x 8, in microseconds
    ForwardRange,       // Ostrin calibration: (F - N) / 2
    ReverseRange,       // Ostrin calibration: (N - R) / 2
    Neutral,            // Ostrin calibration: N / 2
    TemperatureOffset,  // Ostrin: editable, digits only
};
inline constexpr std::size_t kEscFieldCount = 5;

struct EscFieldPlace {
    EscField field;
    std::string label;
    std::string unit;  // "uS", or empty
    int row = 0;
    int column = 0;
    std::string explain;  // what it shows or does for the pilot, one line
};

struct EscSeriesTable {
    int series = 0;              // kSeriesTarrow ... kSeriesPeldan
    std::string name;            // "Tarrow"
    std::string caption;         // the group caption around the page
    int columns = 2;             // columns of the parameter grid
    std::vector<EscList> lists;  // in the order the series fills them
    std::vector<EscFieldPlace> fields;
    // Bytes the page neither shows nor changes: sent back as last read.
    std::vector<std::size_t> keptOffsets;
    // The throttle range byte shown as byte x 8 (kept, not written from the text).
    std::optional<std::size_t> throttleByteOffset;
    // Ostrin: the temperature offset byte and the throttle calibration
    // (reverse end, neutral, forward end; 16 bits each, low byte first).
    std::optional<std::size_t> temperatureOffset;
    std::optional<std::size_t> calibrationOffset;
    // Hiding the page also runs its show with the port closed (clearing the
    // page again when it had not been read): every series but the Tarrow.
    bool showAfterHide = true;
};

// Every series the program knows, one row each, in series order. The
// parameter tab (one page per row), the CLI and the history are built from
// these rows alone. A new series is:
//   - its table file (esc/...Series.cpp) and its row here (declaration below,
//     row in EscSeries.cpp);
//   - its code letters and name: a kSeries... number and a kSeriesCodes row in
//     device/DeviceVersion, since identification sits below this folder;
//   - to simulate it: a Series value and a profile row in sim/DeviceProfile
//     (the simulator is the other end of the wire and keeps its own model).
const std::vector<const EscSeriesTable*>& EscSeriesRegistry();

// The table of series kSeriesTarrow ... kSeriesPeldan; nullptr for any other.
const EscSeriesTable* SeriesTable(int series);
// The table of the series a parameter file names ("Velmor", case and blanks
// ignored); nullptr when none has that name.
const EscSeriesTable* SeriesTableNamed(const std::string& name);
// The tables of the series, each defined in its own file.
const EscSeriesTable& TarrowTable();
const EscSeriesTable& VelmorTable();
const EscSeriesTable& OstrinTable();
const EscSeriesTable& PeldanTable();

// The field's default text on "Default Value", or nullopt when "Default
// Value" leaves it as it is.
std::optional<std::string> FieldDefault(EscField field);

// The list a parameter name stands for: its label without the colon, blanks
// and case ignored ("brake types" finds "Brake  Types:"); -1 when none.
int FindList(const EscSeriesTable& table, const std::string& name);
// The entry a value stands for: its text (blanks and case ignored) or its
// index as a decimal number; -1 when none.
int FindEntry(const EscList& list, const std::string& value);
// The label without its colon and trailing blanks: the parameter's name.
std::string ListName(const EscList& list);
// A parameter's explanation with its unit, as a tooltip or `esc read
// --explain` shows it: "Switching frequency ... [KHz]".
std::string ExplainText(const std::string& explain, const std::string& unit);
// The name a field is given outside the page (label without its colon).
std::string FieldName(const EscSeriesTable& table, EscField field);

// Every block offset a write carries from the page (lists, kept bytes,
// temperature offset, calibration, version), ascending, without offset 0.
std::vector<std::size_t> CarriedOffsets(const EscSeriesTable& table);

}  // namespace tavix
