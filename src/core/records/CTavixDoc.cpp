#include "records/CTavixDoc.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "base/AtomicFile.h"
#include "base/PathText.h"
#include "base/RegularFile.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "logger/FlightSplitter.h"
#include "records/RecordCheck.h"
#include "records/RecordCodec.h"
#include "records/RecordMessages.h"
#include "shell/GearRateRule.h"

namespace tavix {

namespace {

// The largest file the record memory can take; anything beyond is never read.
constexpr std::size_t kLargestRecordFile = RecordFileSize(kChannelCount, kMaxSamples);

using ull = unsigned long long;

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    // Only a regular file: a FIFO or a device would block the read forever.
    std::FILE* file = OpenRegularFile(path, &reason);
    if (file == nullptr) {
        return false;
    }
    bytes.clear();
    char chunk[65536];
    bool failed = false;
    while (bytes.size() <= kLargestRecordFile) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        bytes.append(chunk, got);
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

CTavixDoc::CTavixDoc(CAppConfig& config, CIniFile& ini) : config_(config), ini_(ini) {}

std::string CTavixDoc::Serialize(const FlightRecord& record) {
    const int channels = record.header.channels;
    const int samples = record.header.samples;
    std::string out;
    out.reserve(channels > 0 && samples > 0 ? RecordFileSize(channels, samples) : kRecordFixedSize);
    Encode(record.header, out);
    Encode(record.logger, out);
    Encode(record.ranges, out);
    for (int ch = 0; ch < channels && ch < kChannelCount; ++ch) {
        Encode(record.channels[ch], out);
        for (int j = 0; j < samples && j < kMaxSamples; ++j) {
            const auto v = static_cast<std::uint32_t>(record.raw[ch][j]);
            const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                                   static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
            out.append(bytes, 4);
        }
    }
    EncodeExtension(record, out);
    return out;
}

RecordReadResult CTavixDoc::Serialize(std::string_view bytes, FlightRecord& into,
                                      const std::string& name) {
    RecordReadResult result;
    if (bytes.size() < kRecordFixedSize) {
        result.message = FormatText(kMsgRecordTooShort, PathText(name).c_str(),
                                    ull{kRecordFixedSize}, static_cast<ull>(bytes.size()));
        return result;
    }
    const RecordHeader header = DecodeHeader(bytes);
    if (header.channels < 1 || header.channels > kChannelCount) {
        result.message =
            FormatText(kMsgRecordBadChannels, PathText(name).c_str(), int{header.channels});
        return result;
    }
    if (header.samples < 1 || header.samples > kMaxSamples) {
        result.message =
            FormatText(kMsgRecordBadSamples, PathText(name).c_str(), int{header.samples});
        return result;
    }
    const std::size_t needed = RecordFileSize(header.channels, header.samples);
    if (bytes.size() < needed) {
        result.message = FormatText(kMsgRecordTooShort, PathText(name).c_str(),
                                    static_cast<ull>(needed), static_cast<ull>(bytes.size()));
        return result;
    }

    into.header = header;
    into.logger = DecodeLoggerBlock(bytes.substr(RecordHeader::kSize));
    into.ranges = DecodeAxisRanges(bytes.substr(RecordHeader::kSize + LoggerBlock::kSize));
    std::size_t pos = kRecordFixedSize;
    for (int ch = 0; ch < header.channels; ++ch) {
        into.channels[ch] = DecodeChannelInfo(bytes.substr(pos));
        pos += ChannelInfo::kSize;
        for (int j = 0; j < header.samples; ++j, pos += 4) {
            const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + pos);
            const std::uint32_t v =
                b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
            into.raw[ch][j] = static_cast<std::int32_t>(v);
        }
    }
    result.ok = true;
    const std::size_t extension = DecodeExtension(bytes.substr(needed), into);
    result.trailingBytes = bytes.size() - needed - extension;
    return result;
}

bool CTavixDoc::StoreFlight(const std::string& path, const FlightRecord& record,
                            std::string& reason) {
    return StoreNewRecordFile(path, Serialize(record), reason);
}

bool CTavixDoc::StoreRecord(const std::string& path, FlightRecord& record, const std::string& note,
                            std::string& message) {
    // An unchanged note keeps its field byte for byte, so opening and saving
    // a file gives the same file.
    const std::string stored = note.substr(0, kMaxNoteLength);
    if (FixedText(record.header.note) != stored) {
        SetFixedText(record.header.note, stored);
    }
    std::string reason;
    if (!WriteFileAtomically(path, Serialize(record), &reason)) {
        message = FormatText(kMsgRecordSaveFailed, PathText(path).c_str(), reason.c_str());
        return false;
    }
    return true;
}

bool CTavixDoc::OnSaveDocument(const std::string& path, const RecordForm& form,
                               std::string& message) {
    return StoreRecord(path, config_.Record(), form.note, message);
}

bool CTavixDoc::OnOpenDocument(const std::string& path, RecordForm& form, std::string& message) {
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, bytes, reason)) {
        message = FormatText(kMsgRecordUnreadable, PathText(path).c_str(), reason.c_str());
        return false;
    }
    return LoadRecord(bytes, path, form, message);
}

bool CTavixDoc::LoadRecord(std::string_view bytes, const std::string& name, RecordForm& form,
                           std::string& message) {
    // Start from the record in memory so that channels the file does not hold
    // keep their settings, then replace what the file brings.
    auto loaded = std::make_unique<FlightRecord>(config_.Record());
    const RecordReadResult read = Serialize(bytes, *loaded, name);
    if (!read.ok) {
        message = read.message;
        return false;
    }

    RecordHeader& header = loaded->header;
    const std::string hw = FixedText(header.hwCode);
    if (ini_.EntryCount(hw) == -1) {
        message = FormatText(kMsgNoConfigure, hw.c_str());
        return false;
    }
    // The calibration config.ini holds for this hardware now, not the one in
    // force when the record was made. Ranges stay the file's own.
    for (int i = 0; i < kChannelCount; ++i) {
        loaded->calibration[i].k = static_cast<float>(ini_.GetReal(hw, FormatText("kvalue%d", i)));
        loaded->calibration[i].c = static_cast<float>(ini_.GetReal(hw, FormatText("cvalue%d", i)));
    }

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
    if (const auto implausible = FirstImplausibleSample(*loaded)) {
        const std::string file = std::filesystem::path(name).filename().string();
        form.warning = ImplausibleWarning(*loaded, *implausible, PathText(file));
    }
    loaded->dataLoaded = true;

    config_.Record() = *loaded;
    return true;
}

}  // namespace tavix
