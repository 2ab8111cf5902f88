#include "logger/FlightList.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/Translate.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"

namespace tavix {

ConfirmWindow WindowOf(const FlightPlace& place) {
    ConfirmWindow window;
    if (place.ranges.empty()) {
        return window;
    }
    // The longer part of a wrapped flight, so the window is one read.
    const auto longest = std::max_element(
        place.ranges.begin(), place.ranges.end(),
        [](const AddressRange& a, const AddressRange& b) { return a.length < b.length; });
    const int samplesBefore =
        longest == place.ranges.begin() ? 0 : place.ranges.front().length / kSampleBytes;
    const int inRange = longest->length / kSampleBytes;
    window.count = std::min(inRange, kConfirmBytes / kSampleBytes);
    const int offset = (inRange - window.count) / 2;
    window.first = samplesBefore + offset;
    window.read = {longest->address + offset * kSampleBytes, window.count * kSampleBytes};
    return window;
}

std::vector<int> CandidateFlights(const RecordOrigin& origin, const std::string& version,
                                  const LoggerBlock& current) {
    std::vector<int> numbers;
    if (origin.version != version || origin.logger.lastAddress != current.lastAddress ||
        origin.samples <= 0) {
        return numbers;
    }
    const std::vector<FlightPlace> then = MapFlights(origin.logger);
    const std::vector<FlightPlace> now = MapFlights(current);
    for (const FlightPlace& was : then) {
        if (was.samples != origin.samples ||
            (origin.flightNumber != 0 && was.number != origin.flightNumber)) {
            continue;
        }
        for (const FlightPlace& is : now) {
            if (is.start == was.start && is.end == was.end && is.samples == was.samples &&
                std::find(numbers.begin(), numbers.end(), is.number) == numbers.end()) {
                numbers.push_back(is.number);
            }
        }
    }
    return numbers;
}

bool SameSamples(const Bytes& bytes, const ConfirmWindow& window, const StoredWindow& stored) {
    if (window.count <= 0 || static_cast<int>(stored.samples.size()) != window.count ||
        bytes.size() < static_cast<std::size_t>(window.count) * kSampleBytes) {
        return false;
    }
    std::optional<RawSample> previous = stored.before;
    for (int j = 0; j < window.count; ++j) {
        const std::uint8_t* b = bytes.data() + static_cast<std::size_t>(j) * kSampleBytes;
        RawSample logger{b[0], b[1], b[2], b[3], (b[4] << 8) | b[5]};
        const bool flightStart = window.first + j == 0;
        for (int ch : {static_cast<int>(kTemperature), static_cast<int>(kMotorRpm)}) {
            if (logger[ch] == 0 && !flightStart) {
                if (!previous) {
                    return false;  // the window starts mid-flight without the sample before
                }
                logger[ch] = (*previous)[ch];
            }
        }
        const RawSample& kept = stored.samples[static_cast<std::size_t>(j)];
        if (logger != kept) {
            return false;
        }
        previous = kept;
    }
    return true;
}

bool FlightEntry::Writable() const {
    return (status == FlightStatus::New || status == FlightStatus::Stored) && !inOutput;
}

bool FlightList::EarlierFound() const {
    return Count(FlightStatus::Stored) > 0;
}

int FlightList::Count(FlightStatus status) const {
    return static_cast<int>(
        std::count_if(flights.begin(), flights.end(),
                      [status](const FlightEntry& e) { return e.status == status; }));
}

int FlightList::SelectedCount() const {
    return static_cast<int>(std::count_if(flights.begin(), flights.end(),
                                          [](const FlightEntry& e) { return e.selected; }));
}

FlightEntry* FlightList::Find(int number) {
    for (FlightEntry& e : flights) {
        if (e.Number() == number) {
            return &e;
        }
    }
    return nullptr;
}

FlightList BuildFlightList(const LoggerBlock& block) {
    FlightList list;
    list.rate = block.rate;
    for (FlightPlace& place : MapFlights(block)) {
        FlightEntry entry;
        entry.seconds = static_cast<double>(place.samples) / (block.rate > 0 ? block.rate : 1);
        if (place.overwritten) {
            entry.status = FlightStatus::Overwritten;
            list.wrapped = true;
        } else if (place.ranges.empty()) {
            entry.status = FlightStatus::Empty;
        } else if (place.samples < kMinFlightSamples) {
            entry.status = FlightStatus::TooShort;
        } else if (place.samples > kMaxSamples) {
            entry.status = FlightStatus::TooLong;
        }
        entry.place = std::move(place);
        list.flights.push_back(std::move(entry));
    }
    return list;
}

bool InFolder(const std::string& path, const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path parent = fs::path(path).parent_path();
    const fs::path a = parent.empty() ? fs::current_path(ec) : parent;
    const fs::path b = folder.empty() ? fs::current_path(ec) : fs::path(folder);
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
}

void Confirm(FlightList& list, const std::vector<std::pair<int, Bytes>>& reads) {
    for (const auto& [number, bytes] : reads) {
        FlightEntry* entry = list.Find(number);
        if (entry == nullptr) {
            continue;
        }
        const ConfirmWindow window = WindowOf(entry->place);
        for (const StoredWindow& stored : entry->candidates) {
            if (SameSamples(bytes, window, stored)) {
                entry->storedIn.push_back(stored.path);
                entry->inOutput = entry->inOutput || InFolder(stored.path, list.outputFolder);
            }
        }
        entry->candidates.clear();
        if (!entry->storedIn.empty() && entry->status == FlightStatus::New) {
            entry->status = FlightStatus::Stored;
        }
    }
}

std::optional<FlightChoice> ParseFlightChoice(const std::string& text, std::string& error) {
    FlightChoice choice;
    if (text == "new") {
        return choice;
    }
    if (text == "all") {
        choice.kind = FlightChoice::All;
        return choice;
    }
    choice.kind = FlightChoice::Numbers;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t comma = std::min(text.find(',', pos), text.size());
        int n = 0;
        const char* first = text.data() + pos;
        const char* last = text.data() + comma;
        const auto result = std::from_chars(first, last, n);
        if (first == last || result.ec != std::errc() || result.ptr != last || n < 1 ||
            n > kMaxFlights) {
            error = FormatShown(kMsgBadFlightChoice, kMaxFlights, text.c_str());
            return std::nullopt;
        }
        choice.numbers.push_back(n);
        pos = comma + 1;
    }
    return choice;
}

FlightChoice DefaultChoice(const FlightList& list) {
    FlightChoice choice;
    choice.kind = list.EarlierFound() ? FlightChoice::New : FlightChoice::All;
    return choice;
}

bool ApplyChoice(FlightList& list, const FlightChoice& choice, std::string& error) {
    for (int n : choice.numbers) {
        if (list.Find(n) == nullptr) {
            error = FormatShown(kMsgNoSuchFlight, n, static_cast<int>(list.flights.size()));
            return false;
        }
    }
    for (FlightEntry& e : list.flights) {
        bool wanted = false;
        switch (choice.kind) {
            case FlightChoice::New:
                wanted = e.status == FlightStatus::New;
                break;
            case FlightChoice::All:
                wanted = true;
                break;
            case FlightChoice::Numbers:
                wanted = std::find(choice.numbers.begin(), choice.numbers.end(), e.Number()) !=
                         choice.numbers.end();
                break;
        }
        e.selected = wanted && e.Writable();
    }
    return true;
}

std::vector<AddressRange> SelectedRanges(const FlightList& list) {
    std::vector<AddressRange> ranges;
    for (const FlightEntry& e : list.flights) {
        if (e.selected) {
            ranges.insert(ranges.end(), e.place.ranges.begin(), e.place.ranges.end());
        }
    }
    return ranges;
}

namespace {

// Every byte of `range` lies in one of `done`.
bool Covered(const AddressRange& range, const std::vector<AddressRange>& done) {
    int at = range.address;
    while (at < range.End()) {
        const auto read = std::find_if(done.begin(), done.end(), [at](const AddressRange& r) {
            return r.address <= at && at < r.End();
        });
        if (read == done.end()) {
            return false;
        }
        at = read->End();
    }
    return true;
}

}  // namespace

std::vector<int> KeepWholeFlights(FlightList& list, const std::vector<AddressRange>& done) {
    std::vector<int> cut;
    for (FlightEntry& e : list.flights) {
        if (!e.selected) {
            continue;
        }
        if (std::all_of(e.place.ranges.begin(), e.place.ranges.end(),
                        [&done](const AddressRange& r) { return Covered(r, done); })) {
            continue;
        }
        e.selected = false;
        e.cutOff = true;
        cut.push_back(e.Number());
    }
    return cut;
}

std::string FlightStatusText(const FlightEntry& entry) {
    switch (entry.status) {
        case FlightStatus::New:
            return kMsgFlightNew;
        case FlightStatus::Stored: {
            std::string where;
            for (const std::string& path : entry.storedIn) {
                where += (where.empty() ? "" : ", ") + PathText(path);
            }
            return FormatShown(kFmtFlightStored, where.c_str());
        }
        case FlightStatus::Overwritten:
            return kMsgFlightOverwritten;
        case FlightStatus::Empty:
            return kMsgFlightEmpty;
        case FlightStatus::TooShort:
            return FormatShown(kFmtFlightTooShort, kMinFlightSamples);
        case FlightStatus::TooLong:
            return FormatShown(kFmtFlightTooLong, kMaxSamples);
    }
    return {};
}

std::string FlightListLine(const FlightEntry& entry) {
    return FormatText(kFmtFlightLine, entry.selected ? 'x' : ' ', entry.Number(),
                      entry.place.samples, entry.seconds, FlightStatusText(entry).c_str());
}

std::string FlightListText(const FlightList& list) {
    std::string text = FormatShown(kFmtFlightListTitle, static_cast<int>(list.flights.size()));
    for (const FlightEntry& e : list.flights) {
        text += FlightListLine(e) + "\n";
    }
    if (list.wrapped) {
        text += Translate(kMsgRingOverwrote);
        text += "\n";
    }
    return text;
}

}  // namespace tavix
