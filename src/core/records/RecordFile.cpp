#include "records/RecordFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/RegularFile.h"
#include "base/Translate.h"
#include "config/CalibrationBook.h"
#include "logger/FlightSplitter.h"
#include "records/RecordCheck.h"
#include "records/RecordCodec.h"
#include "records/RecordMessages.h"
#include "shell/GearRateRule.h"

namespace tavix {

namespace {

// Reads at most `limit` bytes of `path`; `cut` tells whether the file holds more.
bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes, bool& cut,
                   std::string& reason) {
    // Only a regular file: a FIFO or a device would block the read forever.
    std::FILE* file = OpenRegularFile(path, &reason);
    if (file == nullptr) {
        return false;
    }
    bytes.clear();
    cut = false;
    char chunk[65536];
    bool failed = false;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        bytes.append(chunk, got);
        if (bytes.size() > limit) {
            bytes.resize(limit);
            cut = true;
            break;
        }
        if (got < sizeof chunk) {
            failed = std::ferror(file) != 0;
            break;
        }
    }
    const int readErrno = errno;
    std::fclose(file);
    if (failed) {
        reason = std::strerror(readErrno != 0 ? readErrno : EIO);
        return false;
    }
    return true;
}

// Y-axis channel of a file outside 0-7 would index past the channel tables;
// it is taken modulo 8, as the channel controls already read it.
std::int32_t NormalisedYAxis(std::int32_t yAxis) {
    const std::int32_t channel = yAxis % kChannelCount;
    return channel < 0 ? channel + kChannelCount : channel;
}

}  // namespace

std::unique_ptr<FlightData> LoadRecordFile(std::string_view bytes, const std::string& name,
                                           const CalibrationBook& calibrations, RecordForm& form,
                                           std::string& message, const FlightRecord* base) {
    auto loaded = std::make_unique<FlightData>();
    if (base != nullptr) {
        loaded->record = *base;
    }
    FlightRecord& record = loaded->record;
    const RecordReadResult read = DecodeRecordFile(bytes, record, name);
    if (!read.ok) {
        message = read.message;
        return nullptr;
    }

    RecordHeader& header = record.header;
    const std::string hw = FixedText(header.hwCode);
    const ChannelCalibration* calibration = calibrations.Find(hw);
    if (calibration == nullptr) {
        message = FormatShown(kMsgNoConfigure, hw.c_str());
        return nullptr;
    }
    // The calibration config.ini holds for this hardware now, not the one in
    // force when the record was made. Ranges stay the file's own.
    record.calibration = *calibration;

    form.gearRate = InitialGearRate(header.gearRate);
    if (!IsUsableGearRate(header.gearRate)) {
        header.gearRate = 1.0f;
    }
    header.yAxis = NormalisedYAxis(header.yAxis);
    form.note = FixedText(header.note);
    header.poles = RecordPoleNumber(header.poles);
    form.poles = header.poles;
    form.version = FixedText(header.version);
    form.warning.clear();
    if (const auto implausible = FirstImplausibleSample(record)) {
        const std::string file = std::filesystem::path(name).filename().string();
        form.warning = ImplausibleWarning(record, *implausible, PathText(file));
    }
    record.dataLoaded = true;
    record.readFrom = name;
    record.notReadWhole =
        record.extensionDamage.empty()
            ? ""
            : FormatShown(TAVIX_TR("its extension is damaged: %s"), record.extensionDamage.c_str());
    return loaded;
}

std::unique_ptr<FlightData> ReadRecordFile(const std::string& path,
                                           const CalibrationBook& calibrations, RecordForm& form,
                                           std::string& message, const FlightRecord* base) {
    std::string bytes;
    std::string reason;
    bool cut = false;
    if (!ReadWholeFile(path, kRecordReadLimit, bytes, cut, reason)) {
        message = FormatShown(kMsgRecordUnreadable, PathText(path).c_str(), reason.c_str());
        return nullptr;
    }
    auto loaded = LoadRecordFile(bytes, path, calibrations, form, message, base);
    if (loaded && cut) {
        loaded->record.notReadWhole =
            FormatShown(kMsgRecordCut, static_cast<unsigned long long>(kRecordReadLimit));
    }
    return loaded;
}

bool StoreNewRecordFile(const std::string& path, std::string_view bytes, std::string& reason) {
    switch (CreateFileAtomically(path, bytes, &reason)) {
        case CreateResult::Created:
            return true;
        case CreateResult::NameTaken:
            reason = kRecordNameTaken;
            return false;
        case CreateResult::Failed:
            break;
    }
    return false;
}

}  // namespace tavix
