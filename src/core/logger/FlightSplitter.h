#pragma once
// Turns an uploaded logger memory into flight records and record files.
//
// The image holds the memory from address 64 on (image offset = address - 64).
// Each flight becomes one record of 5 channels, decoded from the logger's
// 8-byte samples:
//
//   byte 0 voltage | 1 current | 2 throttle | 3 temperature | 4-5 RPM period
//   (high byte first) | 6-7 unused
//
// A temperature or RPM period of 0 means the sensor had no reading: such a
// sample repeats the value of the sample before it (the first sample keeps its
// 0). Flights shorter than 64 samples are dropped, longer than 16384 refused
// with a message. With cycle recording, a flight whose end lies below its start
// continues at 64 after the last memory address, and once the ring has been
// overwritten only the last flight is still whole, so only it is kept.
//
// Each kept flight is written to its own file, "year-month-day_n.dat" on the
// local date with n counting from 1, through a store function the owner gives
// (the record document's encoding lives above this layer).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "flight/FlightRecord.h"
#include "link/SerialBackend.h"
#include "logger/FlightList.h"
#include "logger/LoggerHeader.h"
#include "shell/Clock.h"

namespace tavix {

// Where one flight lies in the memory, and how many samples it has.
struct FlightExtent {
    int start = 0;  // device address of its first sample
    int end = 0;    // device address after its last sample
    int samples = 0;
};

enum class FlightFate {
    Written,
    Empty,
    TooShort,
    TooLong,
    WriteFailed,
    Stored,
    NotChosen,
    NotRead,  // chosen, but the line failed before its last byte came
};

// What became of one flight of the logger, for the upload's summary.
struct FlightReport {
    int number = 0;  // counted from 1 in the logger's memory
    int samples = 0;
    FlightFate fate = FlightFate::Empty;
    bool overwritten = false;  // lost to cycle recording, not looked at
    std::string path;          // the file written, or the one that failed
    std::string reason;        // why a file could not be written
    std::string storedIn;      // Stored: the record file that already holds it
};

struct SplitOutcome {
    std::vector<std::string> files;     // written, in order; the last is the one to open
    std::vector<FlightFate> fates;      // one per flight looked at
    std::vector<FlightReport> flights;  // every flight the logger's header counts
    // To show, in order, once the processing is over ("Too much fly data!",
    // files that could not be written, no flight long enough).
    std::vector<std::string> messages;
    // The folder the files go to, for the summary ("" the working directory).
    std::string directory;
    int Count(FlightFate fate) const;
};

// Writes `record` as the new file `path` (the whole file, or nothing). On
// failure returns false with the system's reason, or with kRecordNameTaken
// when another file got that name first: the flight then takes the next number.
using StoreRecordFn =
    std::function<bool(const std::string& path, const FlightRecord& record, std::string& reason)>;

inline constexpr const char* kRecordNameTaken = "the name was taken meanwhile";

// What an upload did, for the window and the command line: the flights the
// logger held, the files written with their folder, and every flight skipped
// with its reason ("flight 4: 12 samples, shorter than 64").
std::string UploadSummaryText(const SplitOutcome& outcome);

// "2014-3-7_1.dat": the local date without leading zeros and the number.
std::string RecordFileName(const LocalTime& date, int number);

class FlightSplitter {
public:
    FlightSplitter(const LoggerBlock& block, const Bytes& image);

    FlightExtent Extent(int flight) const;

    // Decodes one flight into `record`: header sample count, raw tables of
    // channels 0-4, their raw minimum and maximum (channels 0-3) or RPM range
    // (channel 4, with the header's pole number and gear rate and the
    // calibration's k), and the RPM axis range.
    void Decode(const FlightExtent& extent, FlightRecord& record) const;

    // The whole processing of an upload into `work` (which holds the settings
    // and header of the upload): time stamps, channel count, sampling rate,
    // then every flight selected in `list` decoded and stored as its own file
    // in `directory` (empty: the working directory), carrying its flight
    // number and the upload time. Without a list every flight that can be
    // kept is. "Too much fly data!" for a flight too long; a file that cannot
    // be written is reported with its name and the next flight goes on. When
    // no flight was long enough, says so. Numbers whose file already exists
    // (an earlier upload that day) are skipped. The image needs to hold only
    // the selected flights' bytes.
    SplitOutcome WriteFlights(FlightRecord& work, const Clock& clock, const std::string& directory,
                              const StoreRecordFn& store, const FlightList* list = nullptr) const;

private:
    std::uint8_t ByteAt(std::int64_t offset) const;

    LoggerBlock block_;
    const Bytes& image_;
};

}  // namespace tavix
