#include "logger/FlightSplitter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "base/PathText.h"
#include "base/Translate.h"
#include "flight/Conversion.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"

namespace tavix {

namespace {

// Names taken one after another by other uploads before this one gives up on a flight.
constexpr int kNameTries = 1000;

// The RPM of `period` (RpmValue) cut to a whole RPM. A period of 0 (no
// reading) or any factor that makes the result infinite or not a number reads
// as 0 RPM, "no reading", instead of stopping the processing.
std::int32_t RpmOf(std::int32_t poles, float gear, float k, std::int32_t period) {
    const float rpm = RpmValue(period, poles, gear, k);
    if (!std::isfinite(rpm)) {
        return 0;
    }
    constexpr float kLimit = 2147483520.0f;  // largest float below 2^31
    return static_cast<std::int32_t>(std::clamp(rpm, -kLimit, kLimit));
}

}  // namespace

int SplitOutcome::Count(FlightFate fate) const {
    return static_cast<int>(std::count(fates.begin(), fates.end(), fate));
}

std::string UploadSummaryText(const SplitOutcome& outcome) {
    std::string text = FormatShown(kFmtSummaryFound, static_cast<int>(outcome.flights.size()));
    int storedHere = 0;
    for (const FlightReport& flight : outcome.flights) {
        storedHere +=
            flight.fate == FlightFate::Stored && InFolder(flight.storedIn, outcome.directory) ? 1
                                                                                              : 0;
    }
    std::error_code ec;
    const std::filesystem::path where = outcome.directory.empty()
                                            ? std::filesystem::current_path(ec)
                                            : std::filesystem::absolute(outcome.directory, ec);
    const std::string folder = ec ? outcome.directory : where.lexically_normal().string();
    text += FormatShown(kFmtSummaryNewStored, static_cast<int>(outcome.files.size()), storedHere,
                        PathText(folder).c_str());
    if (outcome.files.empty()) {
        text += Translate(kMsgSummaryNoFile);
    } else {
        std::error_code ec;
        std::filesystem::path folder = std::filesystem::absolute(outcome.files.front(), ec);
        folder =
            ec ? std::filesystem::path(outcome.files.front()).parent_path() : folder.parent_path();
        text += FormatShown(kFmtSummaryWritten, static_cast<int>(outcome.files.size()),
                            PathText(folder.string()).c_str());
        for (const std::string& file : outcome.files) {
            text += FormatText(kFmtSummaryFile,
                               PathText(std::filesystem::path(file).filename().string()).c_str());
        }
    }
    bool skippedTitle = false;
    for (const FlightReport& flight : outcome.flights) {
        std::string why;
        if (flight.overwritten) {
            why = FormatShown(kFmtSkippedOverwritten, flight.number);
        } else {
            switch (flight.fate) {
                case FlightFate::Written:
                    continue;
                case FlightFate::Empty:
                    why = FormatShown(kFmtSkippedEmpty, flight.number);
                    break;
                case FlightFate::TooShort:
                    why = FormatShown(kFmtSkippedTooShort, flight.number, flight.samples,
                                      kMinFlightSamples);
                    break;
                case FlightFate::TooLong:
                    why =
                        FormatShown(kFmtSkippedTooLong, flight.number, flight.samples, kMaxSamples);
                    break;
                case FlightFate::Stored:
                    why = FormatShown(kFmtSkippedStored, flight.number,
                                      PathText(flight.storedIn).c_str());
                    break;
                case FlightFate::NotChosen:
                    why = FormatShown(kFmtSkippedNotChosen, flight.number);
                    break;
                case FlightFate::NotRead:
                    why = FormatShown(kFmtSkippedNotRead, flight.number);
                    break;
                case FlightFate::WriteFailed:
                    why = FormatShown(kFmtSkippedWriteFailed, flight.number,
                                      PathText(flight.path).c_str(), flight.reason.c_str());
                    break;
            }
        }
        if (!skippedTitle) {
            text += Translate(kMsgSummarySkipped);
            skippedTitle = true;
        }
        text += why;
    }
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

std::string RecordFileName(const LocalTime& date, int number) {
    return FormatText(kRecordFileNameFormat, date.year, date.month, date.day, number);
}

namespace {

std::string RecordPath(const std::string& directory, const LocalTime& date, int number) {
    const std::string name = RecordFileName(date, number);
    return directory.empty() ? name : (std::filesystem::path(directory) / name).string();
}

}  // namespace

FlightSplitter::FlightSplitter(const LoggerBlock& block, const Bytes& image)
    : block_(block), image_(image) {}

FlightExtent FlightSplitter::Extent(int flight) const {
    const std::vector<FlightPlace> places = MapFlights(block_);
    FlightExtent extent;
    if (flight >= 0 && flight < static_cast<int>(places.size())) {
        const FlightPlace& place = places[static_cast<std::size_t>(flight)];
        extent.start = place.start;
        extent.end = place.end;
        extent.samples = place.samples;
    }
    return extent;
}

// Bytes outside the uploaded image (only a header that contradicts itself
// points there) read as 0, "no reading", rather than past the buffer.
std::uint8_t FlightSplitter::ByteAt(std::int64_t offset) const {
    return offset >= 0 && offset < static_cast<std::int64_t>(image_.size())
               ? image_[static_cast<std::size_t>(offset)]
               : 0;
}

void FlightSplitter::Decode(const FlightExtent& extent, FlightRecord& record) const {
    const int m = extent.samples;
    record.header.samples = m;
    std::int64_t p = extent.start - kRecordStartAddress;
    const std::int64_t wrapAfter =
        static_cast<std::int64_t>(block_.lastAddress) - kRecordStartAddress;

    // The shortest period that is a reading: a flight that starts without an
    // RPM reading keeps 0 as its raw minimum, which is no rotation speed.
    std::int32_t shortestPeriod = 0;
    std::array<std::int32_t, kUploadChannels> lo{};
    std::array<std::int32_t, kUploadChannels> hi{};
    for (int ch = 0; ch < kTemperature + 1; ++ch) {
        lo[ch] = hi[ch] = ByteAt(p + ch);
    }
    lo[kMotorRpm] = hi[kMotorRpm] = (ByteAt(p + 4) << 8) | ByteAt(p + 5);

    for (int j = 0; j < m; ++j) {
        for (int ch = 0; ch < kUploadChannels; ++ch) {
            std::int32_t v = 0;
            if (ch < kMotorRpm) {
                v = ByteAt(p);
                p += 1;
            } else {
                v = (ByteAt(p) << 8) | ByteAt(p + 1);
                p += 4;  // the period and the two unused bytes
            }
            if ((ch == kTemperature || ch == kMotorRpm) && v == 0 && j > 0) {
                v = record.raw[ch][j - 1];
            }
            record.raw[ch][j] = v;
            if (ch == kMotorRpm && v != 0 && (shortestPeriod == 0 || v < shortestPeriod)) {
                shortestPeriod = v;
            }
            if (v > hi[ch]) {
                hi[ch] = v;
            } else if (v < lo[ch]) {
                lo[ch] = v;
            }
        }
        // The ring wraps between samples, never inside one.
        if (p > wrapAfter) {
            p = 0;
        }
    }

    for (int ch = 0; ch < kMotorRpm; ++ch) {
        record.channels[ch].statA = hi[ch];
        record.channels[ch].statB = lo[ch];
    }
    const std::int32_t poles = record.header.poles;
    const float gear = record.header.gearRate;
    const float k = record.calibration[kMotorRpm].k;
    // The shortest period is the fastest rotation. When the raw minimum is a
    // missing reading (0), the fastest rotation is that of the shortest real
    // period, so the RPM axis still runs from the slowest to the fastest.
    const std::int32_t fastest = lo[kMotorRpm] != 0 ? lo[kMotorRpm] : shortestPeriod;
    const std::int32_t maxRpm = RpmOf(poles, gear, k, fastest);
    const std::int32_t minRpm = RpmOf(poles, gear, k, hi[kMotorRpm]);
    record.channels[kMotorRpm].statA = maxRpm;
    record.channels[kMotorRpm].statB = minRpm;
    record.ranges[kMotorRpm].min = static_cast<float>(minRpm);
    record.ranges[kMotorRpm].max = static_cast<float>(maxRpm) + 1.0f;
}

SplitOutcome FlightSplitter::WriteFlights(FlightRecord& work, const Clock& clock,
                                          const std::string& directory, const StoreRecordFn& store,
                                          const FlightList* list) const {
    SplitOutcome outcome;
    outcome.directory = directory;
    work.header.timeA = work.header.timeB = clock.Now();
    work.uploadTime = work.header.timeA;
    work.header.channels = kUploadChannels;
    work.header.rate = static_cast<std::uint8_t>(block_.rate);
    work.logger = block_;
    const std::string note = FixedText(work.header.note);

    FlightList everything;
    if (list == nullptr) {
        everything = BuildFlightList(block_);
        std::string unused;
        (void)ApplyChoice(everything, FlightChoice{FlightChoice::All, {}}, unused);
        list = &everything;
    }

    const LocalTime date = clock.LocalNow();
    int number = 1;
    // Every flight looked at ends with one fate and one report.
    auto settle = [&outcome](FlightReport report, FlightFate fate) {
        report.fate = fate;
        outcome.fates.push_back(fate);
        outcome.flights.push_back(std::move(report));
    };
    for (const FlightEntry& entry : list->flights) {
        const FlightPlace& place = entry.place;
        FlightReport report;
        report.number = place.number;
        report.samples = place.samples;
        if (entry.status == FlightStatus::Overwritten) {
            report.overwritten = true;
            outcome.flights.push_back(report);
            continue;
        }
        if (entry.status == FlightStatus::Empty) {
            settle(report, FlightFate::Empty);
            continue;
        }
        if (entry.status == FlightStatus::TooShort) {
            settle(report, FlightFate::TooShort);
            continue;
        }
        if (entry.status == FlightStatus::TooLong) {
            settle(report, FlightFate::TooLong);
            outcome.messages.emplace_back(kMsgTooMuchFlyData);
            continue;
        }
        if (!entry.selected) {
            if (!entry.storedIn.empty()) {
                report.storedIn = entry.storedIn.front();
                settle(report, FlightFate::Stored);
            } else if (entry.cutOff) {
                settle(report, FlightFate::NotRead);
            } else {
                settle(report, FlightFate::NotChosen);
            }
            continue;
        }
        FlightExtent extent;
        extent.start = place.start;
        extent.end = place.end;
        extent.samples = place.samples;
        Decode(extent, work);
        work.flightNumber = place.number;
        SetFixedText(work.header.note, entry.note.value_or(note));

        // A file of an earlier upload that day keeps its name: its flight may
        // since have been cleared from the logger, so overwriting it would
        // lose the flight. This upload takes the next free numbers instead.
        std::string path = RecordPath(directory, date, number);
        std::error_code ec;
        while (std::filesystem::exists(path, ec) || std::filesystem::is_symlink(path, ec)) {
            path = RecordPath(directory, date, ++number);
        }
        // A failed file keeps its number, so the files written still say
        // which flight of the upload they hold. A name another upload into
        // the same folder took meanwhile is left to it.
        ++number;
        std::string reason;
        bool stored = store && store(path, work, reason);
        for (int tries = 0; !stored && reason == kRecordNameTaken && tries < kNameTries; ++tries) {
            path = RecordPath(directory, date, number++);
            reason.clear();
            stored = store(path, work, reason);
        }
        report.path = path;
        if (stored) {
            outcome.files.push_back(path);
            settle(report, FlightFate::Written);
        } else {
            outcome.messages.push_back(
                FormatShown(kMsgRecordWriteFailed, PathText(path).c_str(), reason.c_str()));
            report.reason = reason;
            settle(report, FlightFate::WriteFailed);
        }
    }
    SetFixedText(work.header.note, note);
    // Nothing written and nothing said yet: every flight was empty or too
    // short. (After a failed file or "Too much fly data!" that would be
    // untrue, and a flight already stored was not too short.)
    const bool allTooShort =
        !outcome.fates.empty() &&
        std::all_of(outcome.fates.begin(), outcome.fates.end(), [](FlightFate f) {
            return f == FlightFate::Empty || f == FlightFate::TooShort;
        });
    if (outcome.files.empty() && outcome.messages.empty() && allTooShort) {
        outcome.messages.push_back(FormatShown(kMsgNoFlightLongEnough, kMinFlightSamples));
    }
    return outcome;
}

}  // namespace tavix
