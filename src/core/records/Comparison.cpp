#include "records/Comparison.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "analysis/PackTrend.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/RegularFile.h"
#include "base/Translate.h"
#include "esc/EscParamText.h"
#include "records/RecordFile.h"
#include "records/RecordMessages.h"
#include "records/RecordSummary.h"

namespace tavix {

namespace fs = std::filesystem;

namespace {

std::string FileName(const std::string& path) {
    return PathText(fs::path(path).filename().string());
}

}  // namespace

Comparison::Comparison(const FlightData& reference, const std::array<int, kChannelCount>& windows)
    : reference_(reference), windows_(windows) {
    Realign();
}

Comparison::~Comparison() = default;

void Comparison::SetReference(const std::string& path) {
    added_.clear();
    referencePath_ = path;
    hasReference_ = reference_.record.dataLoaded;
    referenceIndex_ = std::make_unique<SpanIndex>(reference_);
    // A point picked in the record before means nothing in this one: the
    // new comparison starts aligned at the starts (and shows it so), until
    // points are picked again.
    request_.cursorSamples.clear();
    if (request_.mode == AlignMode::CursorA) {
        request_.mode = AlignMode::Start;
    }
    Realign();
}

std::string ComparedTwice(const std::vector<std::string>& paths) {
    for (std::size_t i = 1; i < paths.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFile(paths[i], paths[j])) {
                return FormatShown(kMsgCompareTwice, FileName(paths[i]).c_str());
            }
        }
    }
    return {};
}

std::string Comparison::ReferenceName() const {
    return referencePath_.empty() ? std::string() : FileName(referencePath_);
}

bool Comparison::Add(const std::string& path, const CalibrationBook& calibrations,
                     std::string& message) {
    const std::string name = FileName(path);
    if (!hasReference_) {
        message = kMsgCompareNoReference;
        return false;
    }
    const bool twice = SameFile(path, referencePath_) ||
                       std::any_of(added_.begin(), added_.end(),
                                   [&](const ComparedRecord& r) { return SameFile(path, r.path); });
    if (twice) {
        message = FormatShown(kMsgCompareTwice, name.c_str());
        return false;
    }
    if (Added() >= kMaxAdded) {
        message = FormatShown(kMsgCompareTooMany, name.c_str());
        return false;
    }
    RecordForm form;
    std::string reason;
    // Channels the file lacks take the reference's settings, so they draw
    // and name as the reference's do.
    std::unique_ptr<FlightData> flight =
        ReadRecordFile(path, calibrations, form, reason, &reference_.record);
    if (!flight) {
        message = FormatShown(kMsgCompareFailed, name.c_str(), reason.c_str());
        return false;
    }
    flight->Convert(windows_);
    ComparedRecord record;
    record.path = path;
    record.name = name;
    record.time = flight->record.header.timeA;
    record.index = std::make_unique<SpanIndex>(*flight);
    record.flight = std::move(flight);
    added_.push_back(std::move(record));
    if (request_.mode == AlignMode::CursorA) {
        // It has no point of its own yet: at its start until it gets one.
        request_.cursorSamples.resize(added_.size() + 1, 0);
    }
    Realign();
    return true;
}

void Comparison::Remove(int flight) {
    if (flight < 1 || flight > Added()) {
        return;
    }
    added_.erase(added_.begin() + (flight - 1));
    if (request_.mode == AlignMode::CursorA &&
        static_cast<int>(request_.cursorSamples.size()) > flight) {
        request_.cursorSamples.erase(request_.cursorSamples.begin() + flight);
    }
    Realign();
}

void Comparison::Clear() {
    added_.clear();
    if (request_.cursorSamples.size() > 1) {
        request_.cursorSamples.resize(1);
    }
    Realign();
}

const ComparedRecord& Comparison::Record(int flight) const {
    return added_.at(static_cast<std::size_t>(flight - 1));
}

std::string Comparison::Name(int flight) const {
    const std::string name = flight == 0 ? ReferenceName() : Record(flight).name;
    // Two records of one name (uploads of two days into two folders) are
    // told apart by their whole paths.
    for (int other = 0; other < Count(); ++other) {
        const std::string otherName = other == 0 ? ReferenceName() : Record(other).name;
        if (other != flight && otherName == name) {
            return PathText(flight == 0 ? referencePath_ : Record(flight).path);
        }
    }
    return name;
}

std::string Comparison::Legend(int flight) const {
    const std::int64_t time = flight == 0 ? reference_.record.header.timeA : Record(flight).time;
    const std::string name = Name(flight);
    std::string legend = name.empty() ? LocalTimeText(time) : name + "  " + LocalTimeText(time);
    const FlightRecord& record = flight == 0 ? reference_.record : Record(flight).flight->record;
    const std::string pack = PackName(FixedText(record.header.note));
    if (!pack.empty()) {
        legend += FormatShown(kFmtLegendPack, pack.c_str());
    }
    return legend;
}

const SpanIndex& Comparison::IndexOf(int flight) const {
    return flight == 0 ? *referenceIndex_ : *Record(flight).index;
}

std::vector<ComparedFlight> Comparison::Flights() const {
    std::vector<ComparedFlight> flights;
    if (!referenceIndex_) {
        return flights;
    }
    flights.push_back({Name(0), StoredSettings(reference_.record.escBlock), referenceIndex_.get()});
    for (int flight = 1; flight < Count(); ++flight) {
        const ComparedRecord& r = Record(flight);
        flights.push_back({Name(flight), StoredSettings(r.flight->record.escBlock), r.index.get()});
    }
    return flights;
}

void Comparison::SetAlignment(AlignMode mode, double percent,
                              std::optional<double> referenceSeconds) {
    if (mode != AlignMode::CursorA) {
        request_.mode = mode;
        request_.throttlePercent = percent;
        request_.cursorSamples.clear();
        Realign();
        return;
    }
    // Every flight keeps the place it is drawn at: its point is the sample
    // now drawn where the reference's point stands.
    const double referenceAt = referenceSeconds     ? *referenceSeconds
                               : alignment_.empty() ? 0.0
                                                    : alignment_.front().seconds;
    std::vector<int> samples;
    for (int flight = 0; flight < Count(); ++flight) {
        samples.push_back(SampleAt(flight, referenceAt));
    }
    request_.mode = AlignMode::CursorA;
    request_.cursorSamples = std::move(samples);
    Realign();
}

void Comparison::AlignAtCursor(int flight, double referenceSeconds) {
    if (flight < 0 || flight >= Count()) {
        return;
    }
    if (request_.mode != AlignMode::CursorA) {
        SetAlignment(AlignMode::CursorA, request_.throttlePercent);
    }
    request_.cursorSamples.resize(static_cast<std::size_t>(Count()), 0);
    request_.cursorSamples[static_cast<std::size_t>(flight)] = SampleAt(flight, referenceSeconds);
    Realign();
}

double Comparison::Offset(int flight) const {
    return flight >= 0 && flight < static_cast<int>(alignment_.size())
               ? alignment_[static_cast<std::size_t>(flight)].offsetSeconds
               : 0.0;
}

int Comparison::SampleAt(int flight, double referenceSeconds) const {
    if (!referenceIndex_) {
        return 0;
    }
    const SpanIndex& index = IndexOf(flight);
    if (index.Rate() <= 0 || index.Samples() <= 0) {
        return 0;
    }
    const double own = referenceSeconds - Offset(flight);
    const double sample = std::round(own * index.Rate());
    return static_cast<int>(std::clamp(sample, 0.0, static_cast<double>(index.Samples() - 1)));
}

void Comparison::Realign() {
    alignment_ = AlignFlights(Flights(), request_);
    if (alignment_.empty()) {
        alignment_.resize(1);  // the reference alone, at its start
    }
}

FlightComparison Comparison::Compare(const std::optional<SpanRequest>& span) const {
    return CompareFlights(Flights(), request_, span);
}

CompareTable Comparison::Table(const std::optional<SpanRequest>& span) const {
    return BuildCompareTable(Flights(), Compare(span));
}

}  // namespace tavix
