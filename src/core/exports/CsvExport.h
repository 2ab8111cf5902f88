#pragma once
// The record as comma-separated text for spreadsheets ("Save As &CSV" and
// `tavix-cli csv`): one header line with the names of the record's channels,
// then one line per sample with each channel's physical value, "%.2f".
// Lines end in a single LF; the text is GBK (the temperature's unit is the
// two bytes A1 E6). There is no time column: sample j was taken at j divided
// by the record's samples per second.
//
// The values are those of the curves: the smoothed series (as the last
// conversion left it, so the configured smoothing windows apply) scaled with
// the record's calibration, the throttle held at 100, the motor RPM from the
// rotation period with the record's pole number and gear rate. A smoothed
// period of 0 (no reading: the motor stands still) is written as "0.00".

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "base/Translate.h"
#include "flight/FlightData.h"

namespace tavix {

class Clock;
class ExportNameCounter;
class Prompt;

inline constexpr const char* kMsgNoRecordForCsv = TAVIX_TR("No fly record can be saved as csv!");
inline constexpr const char* kMsgCantOpenFile = TAVIX_TR("Can't open the specified file!");
// The save dialog's filters (the classic file and the one for other tools)
// and the extension a name typed without one gets.
inline constexpr const char* kCsvFilter = TAVIX_TR("CSV (*.csv)");
inline constexpr const char* kCsvUtf8TimeFilter = TAVIX_TR("CSV, UTF-8 with time column (*.csv)");
inline constexpr const char* kCsvExtension = ".csv";

// Column names by channel, GBK.
inline constexpr std::array<const char*, kChannelCount> kCsvColumnNames{
    "Voltage(V)", "Current(A)", "Throttle(%)", "Temperature(\xA1\xE6)",
    "Motor RPM",  "Reserve 1",  "Reserve 2",   "Reserve 3",
};

// The same names in UTF-8, for tools that read no GBK.
inline constexpr std::array<const char*, kChannelCount> kCsvColumnNamesUtf8{
    "Voltage(V)", "Current(A)", "Throttle(%)", "Temperature(\xE2\x84\x83)",
    "Motor RPM",  "Reserve 1",  "Reserve 2",   "Reserve 3",
};
inline constexpr const char* kCsvTimeColumn = "Time(s)";

// The file as other tools like it. The default is the classic file, byte for byte.
struct CsvOptions {
    bool utf8 = false;  // the header in UTF-8 instead of GBK
    bool time = false;  // a first column "Time(s)": sample j at j / samples per second, "%.3f"
};

// One value as the file writes it: "%.2f" with a '.' whatever the locale,
// "inf" or "-inf" for an infinite value and "nan" for one that is not a number.
std::string CsvValue(float value);

// The whole file for a converted flight: its first min(channel count, 8)
// channels and min(sample count, 16384) rows, from its smoothed series. A record without a
// sampling rate counts its samples in the time column.
std::string CsvText(const FlightData& data, const CsvOptions& options = {});

// The save dialog: gets the proposed file name, returns the chosen path or
// nothing when the user cancelled; sets `options` by the file type chosen.
using CsvPathChooser =
    std::function<std::optional<std::string>(const std::string& proposed, CsvOptions& options)>;

enum class CsvExportResult { NoRecord, Cancelled, Failed, Saved };

// The menu command: refuses without a loaded record ("No fly record can be
// saved as csv!"), proposes the next name of `counter`, lets the user choose
// (a confirmed dialog counts, a cancelled one does not), appends ".csv" to a
// name typed without an extension and writes the file atomically. A file that
// cannot be written shows "Can't open the specified file!" and leaves what
// was there before. `savedPath` receives the path written.
CsvExportResult ExportCsv(const FlightData& data, Prompt& prompt, const Clock& clock,
                          ExportNameCounter& counter, const CsvPathChooser& choosePath,
                          std::string* savedPath = nullptr);

}  // namespace tavix
