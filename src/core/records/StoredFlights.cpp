#include "records/StoredFlights.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "base/RegularFile.h"
#include "records/Logbook.h"
#include "records/RecordCodec.h"
#include "records/RecordFile.h"

namespace tavix {

namespace {

// The header and logger block, enough to tell whether a file can match.
bool ReadFront(const std::string& path, std::string& bytes) {
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        return false;
    }
    bytes.resize(RecordHeader::kSize + LoggerBlock::kSize);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return got == bytes.size();
}

std::string VersionText(const std::string& version) {
    return version.substr(0, version.find('\0'));
}

}  // namespace

StoredWindow WindowSamples(const FlightRecord& record, const FlightPlace& place,
                           const std::string& path) {
    const ConfirmWindow window = WindowOf(place);
    StoredWindow stored;
    stored.path = path;
    auto sample = [&record](int j) {
        RawSample s{};
        for (int ch = 0; ch < kUploadChannels; ++ch) {
            s[static_cast<std::size_t>(ch)] = record.raw[ch][j];
        }
        return s;
    };
    if (window.first > 0) {
        stored.before = sample(window.first - 1);
    }
    for (int j = window.first; j < window.first + window.count && j < record.header.samples; ++j) {
        stored.samples.push_back(sample(j));
    }
    return stored;
}

void FindStoredCandidates(const std::vector<std::string>& folders, const std::string& version,
                          const LoggerBlock& current, FlightList& list) {
    const std::string wanted = VersionText(version);
    auto record = std::make_unique<FlightRecord>();
    std::vector<std::string> seen;
    for (const std::string& name : folders) {
        const std::string folder = name.empty() ? "." : name;
        bool again = false;
        for (const std::string& before : seen) {
            again = again || SameFile(before, folder);
        }
        std::vector<std::string> paths;
        std::string error;
        if (again || !ListRecordFiles(folder, paths, error)) {
            continue;
        }
        seen.push_back(folder);
        for (const std::string& listed : paths) {
            // "2014-3-7_1.dat" rather than "./2014-3-7_1.dat" in the working directory.
            const std::string path = std::filesystem::path(listed).lexically_normal().string();
            std::string bytes;
            if (!ReadFront(path, bytes)) {
                continue;
            }
            RecordOrigin origin;
            const RecordHeader header = DecodeHeader(bytes);
            origin.version = FixedText(header.version);
            origin.logger = DecodeLoggerBlock(std::string_view(bytes).substr(RecordHeader::kSize));
            origin.samples = header.samples;
            if (CandidateFlights(origin, wanted, current).empty()) {
                continue;  // not this logger's, or no flight of its length
            }
            if (!ReadRegularFile(path, kRecordReadLimit, bytes) ||
                !DecodeRecordFile(bytes, *record, path).ok ||
                record->header.channels < kUploadChannels) {
                continue;
            }
            origin.flightNumber = record->flightNumber;
            for (int number : CandidateFlights(origin, wanted, current)) {
                FlightEntry* entry = list.Find(number);
                if (entry != nullptr) {
                    entry->candidates.push_back(WindowSamples(*record, entry->place, path));
                }
            }
        }
    }
}

}  // namespace tavix
