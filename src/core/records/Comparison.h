#pragma once
// The records compared with the one the window shows: was this pack weaker
// than last week's, did the new prop draw more current?
//
// The record shown is the reference (flight 0); up to three more record files
// are added (flights 1-3), each opened as a flight of its own (records/
// RecordFile) and converted with the configured smoothing windows, so its
// figures are those its own record page would show. The same file is never
// added twice, nor the reference's own file.
//
// The alignment places every flight on the reference's time axis
// (analysis/FlightCompare): at their starts, where the throttle first reaches
// a level, or at a point picked with cursor A in each record. Cursor A
// alignment keeps a pair of points: the reference's and each added flight's;
// the added flight is drawn so that its point stands on the reference's.
//
// The comparison is the one owner of the added flights: the plot draws them
// as a view placed by their offsets (plot/FlightOverlay), never a copy.
//
// Opening another record (a file, the logbook, an upload) makes it the
// reference of a new comparison: the added flights go.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/FlightCompare.h"
#include "analysis/SpanIndex.h"
#include "base/Translate.h"
#include "flight/FlightData.h"
#include "flight/FlightRecord.h"

namespace tavix {

class CalibrationBook;

// Texts of the comparison (file names in them are GBK, as the record's).
inline constexpr const char* kMsgCompareTooMany =
    TAVIX_TR("%s is not compared: at most four records are compared at once.");
inline constexpr const char* kMsgCompareTwice = TAVIX_TR("%s is compared already.");
inline constexpr const char* kMsgCompareFailed = TAVIX_TR("%s can't be compared: %s");
inline constexpr const char* kMsgCompareNoReference =
    TAVIX_TR("Open a record first: the records added are compared with it.");

// The message refusing a comparison of `paths` (the reference first) that
// names one file twice, as Comparison::Add refuses it; empty when every path
// is a file of its own.
std::string ComparedTwice(const std::vector<std::string>& paths);

// One record added to the comparison.
struct ComparedRecord {
    std::string path;
    std::string name;       // the file name without its folder
    std::int64_t time = 0;  // the record's start, seconds since 1970
    std::unique_ptr<FlightData> flight;
    std::unique_ptr<SpanIndex> index;
};

class Comparison {
public:
    static constexpr int kMaxAdded = kMaxComparedFlights - 1;

    // `reference` (the window's current flight, converted) and `windows` (the
    // smoothing windows) outlive the comparison.
    Comparison(const FlightData& reference, const std::array<int, kChannelCount>& windows);
    ~Comparison();
    Comparison(const Comparison&) = delete;
    Comparison& operator=(const Comparison&) = delete;

    // The reference was (re)loaded from `path` ("" for a record not from a
    // file): the added flights go; the alignment mode and level stay, but
    // for cursor A, whose points were the old records': back to Start.
    void SetReference(const std::string& path);
    // The reference was saved under `path` (Save As): same flight, new name.
    void RenameReference(const std::string& path) { referencePath_ = path; }
    std::string ReferenceName() const;

    // Opens `path` and adds it. Refused, with `message` naming the file and
    // why: no reference yet, three added already, the reference's file or one
    // added already (also through another name of the same file), or a file
    // that does not open as a record.
    [[nodiscard]] bool Add(const std::string& path, const CalibrationBook& calibrations,
                           std::string& message);
    // Takes added flight `flight` (1-3) out; later ones move up by one.
    void Remove(int flight);
    // Back to the reference alone.
    void Clear();

    int Added() const { return static_cast<int>(added_.size()); }
    // The reference and the added flights (1-4).
    int Count() const { return 1 + Added(); }
    bool Active() const { return !added_.empty(); }
    // Added flight `flight` (1-3).
    const ComparedRecord& Record(int flight) const;
    // The file name of flight `flight` (0: the reference); its whole path
    // when another compared record has the same file name.
    std::string Name(int flight) const;
    // The legend of flight `flight`: its file name, local start time and,
    // when its note names one, its pack ("a.dat  2014-03-07 10:00:00  pack 3S-A").
    std::string Legend(int flight) const;
    // The flights as the comparison code takes them, the reference first.
    std::vector<ComparedFlight> Flights() const;

    // --- alignment -------------------------------------------------------
    // Start or throttle (`percent` of the throttle curve): every flight
    // aligned by that rule. CursorA: the reference's point is at
    // `referenceSeconds` when given (cursor A placed), else where it is
    // aligned now; the added flights stay where they are drawn until each is
    // aligned at the cursor itself (AlignAtCursor).
    void SetAlignment(AlignMode mode, double percent = kDefaultAlignThrottle,
                      std::optional<double> referenceSeconds = std::nullopt);
    AlignMode Mode() const { return request_.mode; }
    double ThrottlePercent() const { return request_.throttlePercent; }
    // Cursor A, standing at `referenceSeconds` on the reference's axis, marks
    // the point of flight `flight` (0-3): the reference's own point, or the
    // point of an added flight as drawn now. The mode becomes CursorA first
    // (see SetAlignment) when it is not.
    void AlignAtCursor(int flight, double referenceSeconds);
    // Per flight (the reference first): its alignment point and its offset
    // on the reference's axis, in seconds.
    const std::vector<FlightAlignment>& Alignment() const { return alignment_; }
    double Offset(int flight) const;

    // --- what the difference table shows ---------------------------------
    // The figures of every flight, the span given in the reference's seconds.
    FlightComparison Compare(const std::optional<SpanRequest>& span = std::nullopt) const;
    CompareTable Table(const std::optional<SpanRequest>& span = std::nullopt) const;

private:
    // The sample of flight `flight` drawn at `referenceSeconds` now, clamped
    // to it.
    int SampleAt(int flight, double referenceSeconds) const;
    const SpanIndex& IndexOf(int flight) const;
    void Realign();

    const FlightData& reference_;
    const std::array<int, kChannelCount>& windows_;
    bool hasReference_ = false;
    std::string referencePath_;
    std::unique_ptr<SpanIndex> referenceIndex_;
    std::vector<ComparedRecord> added_;
    AlignRequest request_;
    std::vector<FlightAlignment> alignment_;
};

}  // namespace tavix
