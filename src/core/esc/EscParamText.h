#pragma once
// The parameters of a page as readable text, by name: what "tavix-cli esc"
// prints and takes, and what the parameter files hold. A name is the label
// of its list or field without the colon; a value is an entry's text (or, on
// input, its index).
//
// A parameter file:
//
//   Tavix ESC parameters
//   Series: Velmor
//   Firmware Version: TVKB20140V200312
//   LVC: 5.0V
//   Cutoff Voltage/Cell: 3.0 V
//   ...
//   Throttle Range: 640 uS
//
// A line may end with a comment after kParamFileComment; no value holds one.
// Lines of fields the ESC owns (throttle range and calibration) and the
// version are there for the reader; loading sets only the lists and the
// temperature offset. On disk the file is UTF-8 text; here, as everywhere in
// core, texts are GBK bytes, and the edges convert.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/NamedValues.h"
#include "base/Translate.h"
#include "esc/EscMessages.h"
#include "esc/EscPageState.h"

namespace tavix {

inline constexpr const char* kParamFileHeading = "Tavix ESC parameters";
inline constexpr const char* kParamFileSeries = "Series";
inline constexpr const char* kParamFileComment = "  # ";
inline constexpr const char* kParamFileFilter = TAVIX_TR("Tavix ESC Parameters (*.esc.txt)");
inline constexpr const char* kParamFileExtension = ".esc.txt";
inline constexpr const char* kBtnSaveParamFile = TAVIX_TR("Save to File...");
inline constexpr const char* kBtnLoadParamFile = TAVIX_TR("Load from File...");
inline constexpr const char* kMsgCantWriteParamFile =
    TAVIX_TR("Can't write the parameter file %s (%s)!");
inline constexpr const char* kMsgCantReadParamFile = TAVIX_TR("Can't read the parameter file %s!");
// A parameter file is a few hundred bytes; a file far larger is none, and is
// refused before it is read (as is anything that is not a regular file).
inline constexpr std::size_t kLargestParamFile = 64 * 1024;

// Refusals (formats for FormatText).
inline constexpr const char* kMsgUnknownEscParameter =
    TAVIX_TR("The %s series has no parameter \"%s\"!");
inline constexpr const char* kMsgUnknownEscValue =
    TAVIX_TR("\"%s\" is no value of %s; it takes: %s, or the index 0-%d.");
inline constexpr const char* kMsgEscNotSettable =
    TAVIX_TR("%s comes from the ESC and can't be set; it is written back as read.");
inline constexpr const char* kMsgNotParamFile = TAVIX_TR("%s is not a Tavix ESC parameter file!");
inline constexpr const char* kMsgOtherSeries =
    TAVIX_TR("The file holds parameters of the %s series, but this is the %s series page!");
inline constexpr const char* kMsgParamFileLine = TAVIX_TR("%s, line %d: %s");

struct EscNamedValue {
    std::string name;
    std::string value;  // entry text; empty for a list without a selection
    std::string unit;
    std::string explain = {};  // ExplainText of its row
    // A list byte the table has no entry for (BlockValues), -1 for none; the
    // value then reads kEscUnknownValue.
    int unknownByte = -1;
};

// The page's parameters in page order (rows, then columns; lists the page
// never shows last), with the fields.
std::vector<EscNamedValue> PageValues(const EscSeriesTable& table, const EscParamState& state);

// The value as a parameter file writes it: the text and its unit ("640 uS").
std::string ShownValue(const EscNamedValue& value);
// The same value kept in parts, for the window to show in its language.
MessageParts ValueParts(const EscNamedValue& value);

// The "Name: value" lines of a parameter file, the series and version lines
// included, without checking them against a series; empty when the text is
// no parameter file.
std::vector<EscNamedValue> ParamFileValues(const std::string& text);

// One parameter of two sets side by side (ShownValue of each side), each
// side kept in parts too (ValueParts; a side that lacks it is empty).
struct EscDiffLine : ValueDiff {
    MessageParts shownA{};
    MessageParts shownB{};
};
// Every parameter of either set, in the order of `a`, then those only in `b`;
// names match blanks and case ignored.
std::vector<EscDiffLine> DiffParams(const std::vector<EscNamedValue>& a,
                                    const std::vector<EscNamedValue>& b);

// One change of a parameter, checked against the table.
struct EscSetting {
    int list = -1;           // the list to select in, or -1 for the temperature offset
    int entry = -1;          // its entry
    std::string offsetText;  // the temperature offset typed
};

// Checks `name` = `value` for the series; on success fills `setting`, else
// returns why not.
[[nodiscard]] std::string CheckSetting(const EscSeriesTable& table, const std::string& name,
                                       const std::string& value, EscSetting& setting);

// The page as a parameter file. With `explain`, each parameter's line ends
// with its explanation as a comment ("PWM Rate: 8 KHz  # Switching ...
// [KHz]"), which the readers of parameter files pass over.
std::string ParamFileText(const EscSeriesTable& table, const EscParamState& state,
                          bool explain = false);
// A block as a parameter file (what a page that read it would save).
std::string ParamFileText(const EscSeriesTable& table, const EscBlockValues& values);
// The parameters of a block as PageValues gives them, but a list byte the
// table has no entry for reads as its number (kEscUnknownValue), so that two
// blocks that differ there do not read alike.
std::vector<EscNamedValue> BlockValues(const EscSeriesTable& table, const Bytes& block);
inline constexpr const char* kEscUnknownValue = TAVIX_TR("unknown value %s");

// What writing `snapshot` byte-exact over `holds` (the block the ESC holds)
// changes, one line per parameter ("Drag Brake: 40% -> 10%", "Forward Throttle
// Range: 500 uS -> 550 uS"), then the bytes no parameter shows by their offset
// ("Offset 10 (kept as read): 3 -> 5"); empty when nothing changes. The
// command line prints each line's Text(); the window shows them.
std::vector<MessageParts> RestoreChanges(const EscSeriesTable& table, const Bytes& holds,
                                         const Bytes& snapshot);
// A change line: the parameter's label (its name and colon, as the page
// shows it), its value before and after.
inline constexpr const char* kEscChangeLine = TAVIX_TR("%s %s -> %s");
inline constexpr const char* kEscOffsetChange = TAVIX_TR("Offset %s (%s): %s -> %s");
// The lines of a change list as a question shows them, or kTextNothingChanges.
std::string ChangesText(const std::vector<MessageParts>& lines);
inline constexpr const char* kTextNothingChanges =
    TAVIX_TR("Nothing changes: the ESC holds these values already.");
// The table of the series a stored block (the bytes a record file keeps of
// the ESC it flew with) was read from, by the version inside it; nullptr when
// the block is not a whole block or names no known series.
const EscSeriesTable* StoredBlockTable(const std::string& block);
// The parameters of a stored block by name with their shown values (unit
// included), in page order; none when StoredBlockTable knows no series.
std::optional<std::vector<NamedValue>> StoredSettings(const std::string& block);
// Reads a parameter file for `table`'s series: every line checked before any
// is taken. Returns the settings, or sets `error` (a file of another series,
// an unknown name or value).
std::vector<EscSetting> ParseParamFile(const EscSeriesTable& table, const std::string& text,
                                       const std::string& fileName, std::string& error);

}  // namespace tavix
