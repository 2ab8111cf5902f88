#pragma once
// The logbook: one line per record file (*.dat) of a folder, with what a
// pilot compares between flights: when, which device, how long, how hard
// (maximum current, lowest voltage, hottest temperature, fastest motor) and
// how much of the battery it took. A file that cannot be opened is listed with
// the reason, never left out.
//
// Each file is opened the way the window opens it (records/RecordFile: the
// same checks and messages, the calibration config.ini holds for the record's
// hardware) and smoothed with the configured windows, so the numbers are those
// the record page shows.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/FlightEvents.h"
#include "analysis/MotorHealth.h"
#include "base/NamedValues.h"
#include "base/Translate.h"
#include "config/CIniFile.h"
#include "config/CalibrationBook.h"
#include "flight/FlightRecord.h"

namespace tavix {

// Messages of the logbook.
inline constexpr const char* kMsgLogbookFolder = TAVIX_TR("Can't read the folder %s (%s)!");
inline constexpr const char* kMsgLogbookNotRegular =
    TAVIX_TR("%s is not a regular file; only record files are opened.");

enum class LogbookColumn {
    Date,
    File,
    Version,
    Duration,
    Rate,
    MaxCurrent,
    MinVoltage,
    MaxTemperature,
    MaxRpm,
    Capacity,
    Resistance,
    Events,
    Note,
};
inline constexpr int kLogbookColumns = 13;

// Column headings, by LogbookColumn.
inline constexpr std::array<const char*, kLogbookColumns> kLogbookHeadings{
    TAVIX_TR("Date and time"),
    TAVIX_TR("File"),
    TAVIX_TR("Version"),
    TAVIX_TR("Duration (s)"),
    TAVIX_TR("Rate (/s)"),
    TAVIX_TR("Max.Current (A)"),
    TAVIX_TR("Min.Voltage (V)"),
    TAVIX_TR("Max.Temp. (C)"),
    TAVIX_TR("Max.RPM"),
    TAVIX_TR("Capacity (mAh)"),
    TAVIX_TR("R (mOhm)"),
    TAVIX_TR("Events"),
    TAVIX_TR("Note")};
// The CSV's last column: why a file could not be opened.
inline constexpr const char* kLogbookErrorHeading = TAVIX_TR("Error");

struct LogbookEntry {
    std::string path;
    std::string name;  // file name without the folder
    bool ok = false;
    std::string error;  // why the file could not be opened (ok false)
    // The file opened but holds values no device produces (RecordCheck).
    std::string warning;

    std::int64_t time = 0;  // upload time (record start), seconds since 1970
    int flightNumber = 0;   // in the logger's memory at the upload; 0 unknown
    std::string version;    // GBK bytes, as stored
    std::string note;       // GBK bytes, as stored
    int rate = 0;           // samples per second
    std::optional<double> seconds;
    // Empty when the record does not have the channel (or, for the RPM, no
    // reading at all).
    std::optional<float> maxCurrent;
    std::optional<float> minVoltage;
    std::optional<float> maxTemperature;
    std::optional<float> maxRpm;
    std::optional<double> capacityMah;
    // Flight health: the pack named by the note, the lowest voltage per cell,
    // the internal resistance (ohm) and the events with their worst kind.
    std::string pack;
    std::optional<double> minCellVoltage;
    std::optional<double> ohms;
    int events = 0;
    std::optional<EventKind> worstEvent;
    // Motor health: the model named by the note and the motor's figures.
    std::string model;
    MotorEstimate motor;
    // The ESC settings the flight flew with, as the page shows them; empty
    // when the record keeps no ESC block or one of no known series.
    std::vector<NamedValue> settings;
};

// Every entry of `folder` whose name ends in ".dat" (any case), sorted by
// name, files or not (a folder or device named *.dat is listed, to be refused
// by the reader). False with `error` set when the folder cannot be read.
[[nodiscard]] bool ListRecordFiles(const std::string& folder, std::vector<std::string>& paths,
                                   std::string& error);

// Opens record files one at a time for the logbook, each as a flight of its
// own: it keeps what it needs of the settings (calibrations, smoothing
// windows, event limits), never the window's record.
class LogbookReader {
public:
    LogbookReader(const CIniFile& ini, const std::array<int, kChannelCount>& smoothing);
    LogbookReader(const LogbookReader&) = delete;
    LogbookReader& operator=(const LogbookReader&) = delete;

    LogbookEntry Read(const std::string& path);

private:
    CalibrationBook calibrations_;
    std::array<int, kChannelCount> smoothing_;
    EventLimits limits_;
};

// Lists and reads every record file of `folder`, sorted by date.
[[nodiscard]] bool ReadLogbook(const std::string& folder, LogbookReader& reader,
                               std::vector<LogbookEntry>& entries, std::string& error);

// The order of a column: numbers by value, texts by their bytes, the date by
// upload time, then flight number. Files that could not be opened come after the others; equal
// values fall back to the file name.
bool LogbookLess(const LogbookEntry& a, const LogbookEntry& b, LogbookColumn column);
void SortLogbook(std::vector<LogbookEntry>& entries, LogbookColumn column, bool ascending = true);

// The text of a cell ("" for a value the record does not have, and for
// every cell but the file name of a file that could not be opened). Date and
// time are local. Version and note stay GBK bytes.
std::string LogbookCell(const LogbookEntry& entry, LogbookColumn column);

// The whole logbook as an aligned text table (a file that could not be opened
// shows its reason after its name, a record that cannot be right its warning
// on the next line) and as CSV (comma-separated, fields with commas, quotes or
// line breaks quoted, the reason or the warning in the last column).
std::string LogbookTable(const std::vector<LogbookEntry>& entries);
std::string LogbookCsv(const std::vector<LogbookEntry>& entries);

}  // namespace tavix
