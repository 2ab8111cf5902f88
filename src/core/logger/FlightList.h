#pragma once
// What the logger holds, flight by flight, before any flight is read: its
// number, samples, duration, whether a record file already holds it (and
// where), and whether this upload reads it.
//
// "Already stored" is recognised, never guessed. A record file holds a flight
// of this logger when it came from a device of the same version with a memory
// of the same size, at the same flight position (start and end address) and
// with the same sample count, and when its samples equal those the logger
// holds now in one window of the flight: WindowOf() says which bytes, at most
// one read of kConfirmBytes from the middle of the flight, where a flight
// differs most from any other (on the ground every flight looks alike). The
// same position with other samples is a new flight: the logger was cleared
// and flown again.
//
//   header --> MapFlights --> candidates (files at the same position)
//          --> one window read per flight with candidates --> Confirm
//          --> Stored / New --> choice (new | all | N,M) --> reads

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "flight/FlightRecord.h"
#include "link/SerialBackend.h"
#include "logger/FlightMap.h"

namespace tavix {

// Bytes read to make sure a stored flight is the logger's: 32 samples.
inline constexpr int kConfirmBytes = 256;

// The raw values of channels 0-4 of one sample, as a record file stores them.
using RawSample = std::array<std::int32_t, kUploadChannels>;

// The samples a record file holds in one flight's window.
struct StoredWindow {
    std::string path;
    // The record's sample before the window (the zero rule needs it), when
    // the window does not start the flight.
    std::optional<RawSample> before;
    std::vector<RawSample> samples;
};

// Which samples of a flight the confirming read covers: `read` in the
// device's memory, samples [first, first + count) of the flight.
struct ConfirmWindow {
    AddressRange read;
    int first = 0;
    int count = 0;
};
ConfirmWindow WindowOf(const FlightPlace& place);

// The flight position a record file holds, from what it keeps of its upload:
// its flight number when it has one, else every flight of its logger header
// with its sample count (files of earlier builds).
struct RecordOrigin {
    std::string version;   // device version text, up to its first zero byte
    LoggerBlock logger;    // the logger header of its upload
    int flightNumber = 0;  // counted from 1; 0: not kept
    int samples = 0;
};
// The places of `current` a record of `origin` may hold (same version, same
// memory size, same start, end and sample count).
std::vector<int> CandidateFlights(const RecordOrigin& origin, const std::string& version,
                                  const LoggerBlock& current);

// True when the logger's `bytes` of the window are the record's samples: raw
// values equal, a temperature or RPM of 0 read as the sample before (the
// record repeats it), except on a flight's first sample.
bool SameSamples(const Bytes& bytes, const ConfirmWindow& window, const StoredWindow& stored);

enum class FlightStatus { New, Stored, Overwritten, Empty, TooShort, TooLong };

struct FlightEntry {
    FlightPlace place;
    double seconds = 0.0;  // samples / rate
    FlightStatus status = FlightStatus::New;
    std::vector<StoredWindow> candidates;  // files at its position, not yet confirmed
    std::vector<std::string> storedIn;     // record files that hold it (confirmed)
    bool inOutput = false;                 // one of them is in the output folder
    bool selected = false;                 // this upload reads and writes it
    bool cutOff = false;                   // chosen, but the line failed before it was read whole
    // The note of its record file; unset: the upload form's note.
    std::optional<std::string> note;

    int Number() const { return place.number; }
    // May be written: whole, long enough, short enough, not already in the
    // output folder.
    bool Writable() const;
};

struct FlightList {
    std::vector<FlightEntry> flights;
    int rate = 0;
    bool wrapped = false;      // the ring wrote over earlier flights
    std::string outputFolder;  // where the record files go ("" the working directory)

    // Some flight of this logger was found stored.
    bool EarlierFound() const;
    int Count(FlightStatus status) const;
    int SelectedCount() const;
    FlightEntry* Find(int number);
};

// The list from the header: places, durations, what cannot be read whole.
FlightList BuildFlightList(const LoggerBlock& block);

// After the window reads: each candidate's samples compared, the flight Stored
// when one matches. `reads` holds the bytes read per flight number (flights
// not in it stay as they were).
void Confirm(FlightList& list, const std::vector<std::pair<int, Bytes>>& reads);

// `path` lies directly in `folder` ("" the working directory).
bool InFolder(const std::string& path, const std::string& folder);

// The choice of flights: "new", "all", or flight numbers "1,3,5".
struct FlightChoice {
    enum Kind { New, All, Numbers } kind = New;
    std::vector<int> numbers;
};
// Parses `text`; unset with `error` for anything else.
std::optional<FlightChoice> ParseFlightChoice(const std::string& text, std::string& error);
// "new" when earlier flights of this logger were found, "all" otherwise.
FlightChoice DefaultChoice(const FlightList& list);
// Ticks the flights of `choice` that may be written. A number the logger does
// not hold sets `error`, and nothing is ticked.
[[nodiscard]] bool ApplyChoice(FlightList& list, const FlightChoice& choice, std::string& error);

// The reads of the selected flights' bytes, and their total.
std::vector<AddressRange> SelectedRanges(const FlightList& list);

// After the line failed mid-read: keeps ticked only the chosen flights whose
// every byte lies in `done` (the reads that came whole); the others are
// unticked and marked cut off. Returns their numbers.
std::vector<int> KeepWholeFlights(FlightList& list, const std::vector<AddressRange>& done);

// One line per flight for the command line and the window:
// "  3   300 samples   60.0 s  new" / "... already stored: DIR/2014-3-7_3.dat".
std::string FlightListLine(const FlightEntry& entry);
std::string FlightStatusText(const FlightEntry& entry);
std::string FlightListText(const FlightList& list);

}  // namespace tavix
